#include "sizelist/CFrameSizeSelectOptionDlg.h"

#include "app/Profile.h"
#include "res/resource.h"
#include "sizelist/SizeListStore.h"

CFrameSizeSelectOptionDlg::CFrameSizeSelectOptionDlg(CWnd* parent)
    : CDialog(IDD_FRAME_SIZE_SELECT_OPTION, parent) {}

void CFrameSizeSelectOptionDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_REFERENCE_NAME, m_strName);
    DDV_MaxChars(dx, m_strName, 256);
}

bool CFrameSizeSelectOptionDlg::EditReferenceFileName(const Profile& profile, CWnd* parent) {
    const CString shown = profile.DisplayPath(GetReferenceFileName(profile));
    CFrameSizeSelectOptionDlg dialog(parent);
    dialog.m_strName = shown;
    if (dialog.DoModal() != IDOK || dialog.m_strName == shown)
        return false;
    SetReferenceFileName(profile, profile.RealPath(dialog.m_strName));
    return true;
}
