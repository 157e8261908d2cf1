// The application object: single instance, COM, the registry key, the
// settings, and the capture frame run as the program's one modal loop.
#pragma once

#include "app/CProfileSupportWinApp.h"
#include "app/Settings.h"

class CFrimlet2App : public CProfileSupportWinApp {
public:
    explicit CFrimlet2App(const wchar_t* appName = nullptr);
    ~CFrimlet2App() override;

    BOOL InitInstance() override;

    Settings m_settings;

    // The system call that asks the restart manager for a restart; the
    // constructor calls it, a test may put its own in before.
    using RegisterRestartCall = HRESULT(WINAPI*)(PCWSTR commandLine, DWORD flags);
    static RegisterRestartCall& RegisterRestart();

private:
    // Runs the capture frame until it ends.
    void RunFrame();
};

// The running application object (null before it exists).
CFrimlet2App* GetFrimletApp();
// The settings of the running application object.
Settings& AppSettings();

// The message the shell sends when it has created the frame's taskbar button.
extern const UINT WM_TASKBAR_BUTTON_CREATED;
