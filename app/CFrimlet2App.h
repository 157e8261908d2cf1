// The application object: single instance, COM, the registry key, the
// settings, and then the capture frame, run as the program's one modal loop.
#pragma once

#include "app/CProfileSupportWinApp.h"
#include "app/Settings.h"

class CFrimlet2App : public CProfileSupportWinApp {
public:
    // Runs the capture frame until it ends. The program's entry point hands
    // it in, so that the application object needs nothing of the frame.
    using FrameRunner = void (*)(CFrimlet2App& app);
    // Hands this copy's command line to the copy that runs already.
    using OtherCopyHandler = void (*)(const wchar_t* commandLine);

    explicit CFrimlet2App(const wchar_t* appName = nullptr, FrameRunner runFrame = nullptr,
                          OtherCopyHandler toOtherCopy = nullptr);
    ~CFrimlet2App() override;

    bool InitInstance() override;

    Settings m_settings;

    // The system call that asks the restart manager for a restart; the
    // constructor calls it, a test may put its own in before.
    using RegisterRestartCall = HRESULT(WINAPI*)(PCWSTR commandLine, DWORD flags);
    static RegisterRestartCall& RegisterRestart();

private:
    FrameRunner m_pfnRunFrame;
    OtherCopyHandler m_pfnToOtherCopy;
};
