#include "app/CFrimlet2App.h"

#include "capture/TemporaryImageFile.h"
#include "app/SingleInstanceMutex.h"
#include "frame/CFrimlet2Dlg.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"

#include <commctrl.h>

const UINT WM_TASKBAR_BUTTON_CREATED = ::RegisterWindowMessageW(L"TaskbarButtonCreated");

CFrimlet2App* GetFrimletApp() {
    return dynamic_cast<CFrimlet2App*>(AfxGetApp());
}

Settings& AppSettings() {
    static Settings fallback;
    CFrimlet2App* app = GetFrimletApp();
    return app ? app->m_settings : fallback;
}

CFrimlet2App::RegisterRestartCall& CFrimlet2App::RegisterRestart() {
    // Made on first use: the application object is built during static
    // initialisation, possibly before other files' globals.
    static RegisterRestartCall call = &::RegisterApplicationRestart;
    return call;
}

CFrimlet2App::CFrimlet2App(const wchar_t* appName) : CProfileSupportWinApp(appName) {
    // Ask to be restarted after an update closed the program; no recovery.
    RegisterRestart()(L"", RESTART_NO_CRASH | RESTART_NO_HANG);
}

CFrimlet2App::~CFrimlet2App() = default;

BOOL CFrimlet2App::InitInstance() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), 0xFF};
    ::InitCommonControlsEx(&icc);
    CWinApp::InitInstance();

    SingleInstanceMutex mutex;
    if (mutex.AnotherCopyRuns())
        return FALSE;

    ComApartment ole(ComApartment::Ole);
    SetRegistryKey(L"Oskvane");
    InitFolderDisplayNames();
    m_settings.Load();
    // What a capture cut short by a crash left in the output folder.
    RemoveLeftoverTemporaryFiles(m_settings.outputPath);

    RunFrame();

    mutex.Release();
    return FALSE;
}

void CFrimlet2App::RunFrame() {
    CFrimlet2Dlg frame(m_settings);
    m_pMainWnd = &frame;
    frame.DoModal();
    m_pMainWnd = nullptr;
}
