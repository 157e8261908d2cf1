// Dialogs from templates, modal (with the framework's own modal loop, so that
// every window's PreTranslateMessage sees its keys) or modeless.
#pragma once

#include "framework/CWnd.h"

class CDialog;

// Carries the direction of one data exchange between a dialog's members and
// its controls.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    // Marks a failed validation: the exchange stops and focus goes to the control.
    void Fail();
    HWND PrepareCtrl(int id);

    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;
    HWND m_hLastControl = nullptr;
    bool m_bFailed = false;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
// value: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* dx, int id, int& value);
// value: checked or not; an indeterminate box reads as checked.
void DDX_Check(CDataExchange* dx, int id, bool& value);
// The group that starts with firstId (the button carrying WS_GROUP) and runs
// over the following radio buttons up to the next WS_GROUP control. value is
// the index of the checked button; -1 when none is checked (saving) or to
// clear them all (loading).
void DDX_Radio(CDataExchange* dx, int firstId, int& value);
// Limits the text control's length when loading; checks it when saving.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr)
        : m_nIDHelp(templateId), m_pParentWnd(parent) {}

    // Runs the dialog modally; returns the value given to EndDialog, or -1
    // when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless.
    bool Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(INT_PTR result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}
    bool UpdateData(bool saveAndValidate = true);

    bool PreTranslateMessage(MSG* msg) override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Hands one message to the PreTranslateMessage chain from its target up
    // to stop (inclusive); true when some window consumed it.
    static bool WalkPreTranslateTree(HWND stop, MSG* msg);

    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

protected:
    void FillFromDialogInit();

private:
    bool CreateFromTemplate(UINT templateId, HWND owner);

    bool m_bInModal = false;
    bool m_bEndModal = false;
    INT_PTR m_nModalResult = -1;
};
