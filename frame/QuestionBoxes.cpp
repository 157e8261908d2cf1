#include "frame/QuestionBoxes.h"

#include "framework/CWnd.h"

namespace {

struct Request {
    HWND owner;
    int dismissed;
};

BOOL CALLBACK DismissIfBox(HWND window, LPARAM param) {
    auto* request = reinterpret_cast<Request*>(param);
    wchar_t className[16] = {};
    // A message box: the system's dialog class, not one of the program's own
    // dialogs (those close on WM_CLOSE), owned by the given window.
    if (::GetWindow(window, GW_OWNER) != request->owner || !::IsWindowVisible(window) ||
        !::GetClassNameW(window, className, 16) || ::lstrcmpW(className, L"#32770") != 0 ||
        CWnd::FromHandlePermanent(window))
        return true;
    for (int id : {IDCANCEL, IDNO, IDOK}) {
        if (HWND button = ::GetDlgItem(window, id)) {
            ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            ++request->dismissed;
            break;
        }
    }
    return true;
}

} // namespace

int DismissMessageBoxes(HWND owner) {
    Request request{owner, 0};
    ::EnumThreadWindows(::GetCurrentThreadId(), &DismissIfBox, reinterpret_cast<LPARAM>(&request));
    return request.dismissed;
}
