// The program's one application object, and the capture frame it runs.
#include "app/CFrimlet2App.h"
#include "capture/TemporaryImageFile.h"
#include "frame/CFrimlet2Dlg.h"

namespace {

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
