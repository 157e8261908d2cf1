#include "app/CFrimlet2App.h"

#include "app/SingleInstanceMutex.h"
#include "framework/ComPtr.h"

#include <commctrl.h>

CFrimlet2App::RegisterRestartCall& CFrimlet2App::RegisterRestart() {
    // Made on first use: the application object is built during static
    // initialisation, possibly before other files' globals.
    static RegisterRestartCall call = &::RegisterApplicationRestart;
    return call;
}

CFrimlet2App::CFrimlet2App(const wchar_t* appName, FrameRunner runFrame, OtherCopyHandler toOtherCopy)
    : CProfileSupportWinApp(appName), m_pfnRunFrame(runFrame), m_pfnToOtherCopy(toOtherCopy) {
    // Ask to be restarted after an update closed the program; no recovery.
    RegisterRestart()(L"", RESTART_NO_CRASH | RESTART_NO_HANG);
}

CFrimlet2App::~CFrimlet2App() = default;

bool CFrimlet2App::InitInstance() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), 0xFF};
    ::InitCommonControlsEx(&icc);
    CWinApp::InitInstance();

    SingleInstanceMutex mutex;
    if (mutex.AnotherCopyRuns()) {
        if (m_pfnToOtherCopy)
            m_pfnToOtherCopy(::GetCommandLineW());
        return false;
    }

    ComApartment ole(ComApartment::Ole);
    SetRegistryKey(L"Oskvane");
    InitFolderDisplayNames();
    m_settings.Load(*this);

    if (m_pfnRunFrame)
        m_pfnRunFrame(*this);

    mutex.Release();
    return false;
}
