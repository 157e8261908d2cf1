#include "sizelist/CFrameSizeSelectOptionDlg.h"

#include "app/CProfileSupportWinApp.h"
#include "res/resource.h"
#include "sizelist/SizeListStore.h"

CFrameSizeSelectOptionDlg::CFrameSizeSelectOptionDlg(CWnd* parent)
    : CDialog(IDD_FRAME_SIZE_SELECT_OPTION, parent) {}

void CFrameSizeSelectOptionDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_REFERENCE_NAME, m_strName);
    DDV_MaxChars(dx, m_strName, 256);
}

bool CFrameSizeSelectOptionDlg::EditReferenceFileName(CWnd* parent) {
    CProfileSupportWinApp* app = GetProfileApp();
    const CString name = GetReferenceFileName();
    CString shown = name;
    if (app)
        app->ToDisplayPath(name, shown);

    CFrameSizeSelectOptionDlg dialog(parent);
    dialog.m_strName = shown;
    if (dialog.DoModal() != IDOK || dialog.m_strName == shown)
        return false;

    CString real = dialog.m_strName;
    if (app)
        app->FromDisplayPath(dialog.m_strName, real);
    SetReferenceFileName(real);
    return true;
}
