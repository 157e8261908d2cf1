// The program's one application object, and the capture frame it runs.
#include "app/CFrimlet2App.h"
#include "capture/TemporaryImageFile.h"
#include "frame/CFrimlet2Dlg.h"

namespace {

// Before anything else runs, libraries loaded by name come from the system
// folder alone, never from the program's folder or the current one. Set here,
// ahead of the application object in this file, so it comes first.
[[maybe_unused]] const bool g_bSystemFolderOnly =
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;

// The capture frame as the program's one modal loop, once what a capture cut
// short by a crash left in the output folder is gone.
void RunCaptureFrame(CFrimlet2App& app) {
    RemoveLeftoverTemporaryFiles(app.m_settings.outputPath);
    CFrimlet2Dlg frame(app.m_settings, app);
    app.m_pMainWnd = &frame;
    frame.DoModal();
    app.m_pMainWnd = nullptr;
}

} // namespace

CFrimlet2App theApp(nullptr, &RunCaptureFrame);
