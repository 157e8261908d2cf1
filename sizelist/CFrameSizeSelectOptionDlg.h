// The reference file name dialog: one edit with the name under which the
// reference files of the size list are searched.
#pragma once

#include "framework/CDialog.h"
#include "framework/CString.h"

class Profile;

class CFrameSizeSelectOptionDlg : public CDialog {
public:
    explicit CFrameSizeSelectOptionDlg(CWnd* parent = nullptr);

    // Runs the dialog over the stored name (shown in its display form) and
    // stores what the user changed. true when the stored name was changed.
    static bool EditReferenceFileName(const Profile& profile, CWnd* parent);

    // The name as shown in the edit (at most 256 characters).
    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* dx) override;
};
