#include "framework/CDialog.h"

#include "framework/CWinApp.h"

#include <vector>

namespace {

// The resource type the resource compiler gives a template's initial
// combo-box and list-box items.
constexpr WORD kDialogInitResource = 240;

// The dialog procedure only answers WM_INITDIALOG's "set the focus" question;
// every message first passes through the dialog object's window procedure.
INT_PTR CALLBACK DialogProcedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

bool IsRadioButton(HWND hwnd) {
    wchar_t className[16] = {};
    if (!::GetClassNameW(hwnd, className, 16) || lstrcmpiW(className, L"Button") != 0)
        return false;
    LONG_PTR type = ::GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}
} // namespace

void CDataExchange::Fail() {
    m_bFailed = true;
    if (m_hLastControl)
        ::SetFocus(m_hLastControl);
}

HWND CDataExchange::PrepareCtrl(int id) {
    m_hLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    return m_hLastControl;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (!control.m_hWnd)
        control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd);
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    HWND item = dx->PrepareCtrl(id);
    if (!item)
        return;
    if (dx->m_bSaveAndValidate) {
        value = CWnd::TextOf(item);
    } else {
        ::SetWindowTextW(item, value);
    }
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    HWND item = dx->PrepareCtrl(id);
    if (!item)
        return;
    if (dx->m_bSaveAndValidate) {
        BOOL ok = FALSE;
        int read = static_cast<int>(::GetDlgItemInt(dx->m_pDlgWnd->m_hWnd, id, &ok, TRUE));
        if (ok)
            value = read;
        else
            dx->Fail();
    } else {
        ::SetDlgItemInt(dx->m_pDlgWnd->m_hWnd, id, static_cast<UINT>(value), TRUE);
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    HWND item = dx->PrepareCtrl(id);
    if (!item)
        return;
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(item, BM_GETCHECK, 0, 0));
    else
        ::SendMessageW(item, BM_SETCHECK, static_cast<WPARAM>(value >= 0 && value <= 2 ? value : 0), 0);
}

void DDX_Check(CDataExchange* dx, int id, bool& value) {
    int state = value ? BST_CHECKED : BST_UNCHECKED;
    DDX_Check(dx, id, state);
    value = state != BST_UNCHECKED;
}

void DDX_Radio(CDataExchange* dx, int firstId, int& value) {
    HWND first = dx->PrepareCtrl(firstId);
    if (!first)
        return;
    if (dx->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (HWND button = first; button && IsRadioButton(button); button = ::GetWindow(button, GW_HWNDNEXT)) {
        if (button != first && (::GetWindowLongPtrW(button, GWL_STYLE) & WS_GROUP))
            break;
        if (dx->m_bSaveAndValidate) {
            if (value < 0 && ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            ::SendMessageW(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
    if (!dx->m_hLastControl)
        return;
    if (dx->m_bSaveAndValidate) {
        if (value.GetLength() > maxChars)
            dx->Fail();
    } else {
        ::SendMessageW(dx->m_hLastControl, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    }
}

bool CDialog::CreateFromTemplate(UINT templateId, HWND owner) {
    HINSTANCE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(templateId), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    auto* dialogTemplate = loaded ? static_cast<const DLGTEMPLATE*>(::LockResource(loaded)) : nullptr;
    if (!dialogTemplate)
        return false;
    HookWindowCreate();
    HWND hwnd = ::CreateDialogIndirectParamW(module, dialogTemplate, owner, DialogProcedure, 0);
    UnhookWindowCreate();
    if (!hwnd) {
        if (m_hWnd)
            UnbindHandle();
        return false;
    }
    return true;
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
    if (m_hWnd)
        return false;
    m_nIDHelp = templateId;
    m_pParentWnd = parent;
    return CreateFromTemplate(templateId, parent ? parent->m_hWnd : nullptr);
}

bool CDialog::WalkPreTranslateTree(HWND stop, MSG* msg) {
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd)) {
            if (wnd->PreTranslateMessage(msg))
                return true;
        }
        if (hwnd == stop)
            break;
    }
    return false;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd)
        return -1;
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd && app->m_pMainWnd != this)
            owner = app->m_pMainWnd->m_hWnd;
    }
    if (owner)
        owner = ::GetAncestor(owner, GA_ROOT);
    bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled)
        ::EnableWindow(owner, FALSE);

    m_bEndModal = false;
    m_nModalResult = -1;
    if (!CreateFromTemplate(m_nIDHelp, owner)) {
        if (ownerWasEnabled)
            ::EnableWindow(owner, TRUE);
        return -1;
    }
    m_bInModal = true;
    if (!m_bEndModal && m_hWnd && !(GetStyle() & WS_VISIBLE))
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);

    MSG msg;
    while (!m_bEndModal && m_hWnd) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0)
            break;
        if (!WalkPreTranslateTree(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    m_bInModal = false;

    // Give activation back to the owner before this window goes away.
    if (ownerWasEnabled)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (owner && ::GetActiveWindow() == nullptr)
            ::SetActiveWindow(owner);
        ::DestroyWindow(m_hWnd);
    }
    return m_nModalResult;
}

void CDialog::EndDialog(INT_PTR result) {
    m_nModalResult = result;
    m_bEndModal = true;
    if (m_bInModal && m_hWnd)
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0); // wakes the modal loop
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

BOOL CDialog::OnInitDialog() {
    FillFromDialogInit();
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool CDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hWnd)
        return ::IsDialogMessageW(m_hWnd, msg) != FALSE;
    if (m_hWnd && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)))
        return ::IsDialogMessageW(m_hWnd, msg) != FALSE;
    return false;
}

bool CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_INITDIALOG) {
        *result = OnInitDialog();
        return true;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

bool CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam))
        return true;
    // The dialog's own buttons and keys: Enter, Esc and the close box.
    unsigned code = HIWORD(wParam);
    if (code == BN_CLICKED || code == 1) {
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOK();
            return true;
        case IDCANCEL:
            OnCancel();
            return true;
        default:
            break;
        }
    }
    return false;
}

// The dialog-initialisation resource of a template (same id, resource type
// kDialogInitResource) lists combo-box and list-box items: records of WORD control id, WORD
// message, DWORD byte count and that many bytes of UTF-8 text ending in NUL,
// closed by a WORD 0.
void CDialog::FillFromDialogInit() {
    HINSTANCE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(m_nIDHelp), MAKEINTRESOURCEW(kDialogInitResource));
    if (!found)
        return;
    HGLOBAL loaded = ::LoadResource(module, found);
    const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    DWORD size = ::SizeofResource(module, found);
    if (!data)
        return;
    DWORD pos = 0;
    while (pos + 2 <= size) {
        WORD id = *reinterpret_cast<const WORD*>(data + pos);
        if (id == 0 || pos + 8 > size)
            break;
        WORD message = *reinterpret_cast<const WORD*>(data + pos + 2);
        DWORD length = *reinterpret_cast<const DWORD*>(data + pos + 4);
        pos += 8;
        if (pos + length > size)
            break;
        const char* text = reinterpret_cast<const char*>(data + pos);
        int textLength = static_cast<int>(length);
        while (textLength > 0 && text[textLength - 1] == 0)
            --textLength;
        int wide = ::MultiByteToWideChar(CP_UTF8, 0, text, textLength, nullptr, 0);
        std::vector<wchar_t> buffer(static_cast<size_t>(wide) + 1, L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, text, textLength, buffer.data(), wide);
        ::SendDlgItemMessageW(m_hWnd, id, message, 0, reinterpret_cast<LPARAM>(buffer.data()));
        pos += length;
    }
}
