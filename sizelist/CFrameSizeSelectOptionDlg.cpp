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
    const CString shown = DisplayPath(GetReferenceFileName());
    CFrameSizeSelectOptionDlg dialog(parent);
    dialog.m_strName = shown;
    if (dialog.DoModal() != IDOK || dialog.m_strName == shown)
        return false;
    SetReferenceFileName(RealPath(dialog.m_strName));
    return true;
}
