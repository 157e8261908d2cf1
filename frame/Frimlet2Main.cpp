// The program's one application object, and the capture frame it runs.
#include "app/CFrimlet2App.h"
#include "app/CommandLine.h"
#include "capture/TemporaryImageFile.h"
#include "frame/CFrimlet2Dlg.h"
#include "frame/FrameWindowClass.h"
#include "res/resource.h"

#include <string_view>

namespace {

// Before anything else runs, libraries loaded by name come from the system
// folder alone, never from the program's folder or the current one. Set here,
// ahead of the application object in this file, so it comes first.
[[maybe_unused]] const bool g_bSystemFolderOnly =
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;

std::u16string_view AsU16View(const wchar_t* text) {
    return text ? std::u16string_view(reinterpret_cast<const char16_t*>(text)) : std::u16string_view();
}

// The capture frame as the program's one modal loop, once what a capture cut
// short by a crash left in the output folder is gone.
void RunCaptureFrame(CFrimlet2App& app) {
    RemoveLeftoverTemporaryFiles(app.m_settings.outputPath);
    CFrimlet2Dlg frame(app.m_settings, app);
    if (CommandLine::AsksToOpenFolder(AsU16View(::GetCommandLineW())))
        frame.OpenOutputFolderOnStart();
    app.m_pMainWnd = &frame;
    frame.DoModal();
    app.m_pMainWnd = nullptr;
}

// The jump-list task started a second copy: the running frame opens the
// folder (and may bring its message to the front).
void ToRunningCopy(const wchar_t* commandLine) {
    if (!CommandLine::AsksToOpenFolder(AsU16View(commandLine)))
        return;
    HWND frame = ::FindWindowW(kFrameWindowClass, nullptr);
    if (!frame)
        return;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(frame, &processId);
    ::AllowSetForegroundWindow(processId);
    ::PostMessageW(frame, WM_COMMAND, MAKEWPARAM(IDM_OPEN_OUTPUT_FOLDER, 0), 0);
}

} // namespace

CFrimlet2App theApp(nullptr, &RunCaptureFrame, &ToRunningCopy);
