// The frame size selection dialog: the size (and optionally the position)
// of the capture area in four fields, a list of presets (own rows, stored
// per user, and read-only "F" rows from the reference files), import and
// export of the list as text files, and applying a size to the frame
// window. It talks to the frame only through WM_APP_GETFRAMEINFO and by
// moving it.
#pragma once

#include "controls/CEditEx.h"
#include "controls/CMenuButton.h"
#include "controls/CReportViewCtrl.h"
#include "geometry/ScreenLayoutQuery.h"
#include "framework/CButton.h"
#include "framework/CDialog.h"
#include "framework/CSpinButtonCtrl.h"
#include "sizelist/SizeListFile.h"

#include <cstdint>

class Profile;
struct Settings;

// The system calls of the size dialog: where applying a size learns the
// monitors from.
struct SizeSelectCalls {
    geometry::ScreenLayout (*queryScreenLayout)() = &geometry::QueryScreenLayout;
};

class CFrameSizeSelectDlg : public CDialog {
public:
    // settings: the output and data folders the lists are kept in; profile:
    // the registry key of the own list; frame: the frame window whose size
    // is chosen, also the dialog's owner.
    CFrameSizeSelectDlg(const Settings& settings, const Profile& profile, CWnd* frame,
                        const SizeSelectCalls& calls = SizeSelectCalls{});

    // The ids of the file dialogs' extra controls.
    enum {
        IDC_FD_ENCODING_GROUP = 1000,
        IDC_FD_ENCODING = 1001,
        IDC_FD_INCLUDE_REFERENCE = 2001,
    };

private:
    // What the tests reach: the controls, and the steps behind the commands.
    friend struct CFrameSizeSelectDlgProbe;

    // Shows a message in the message box, tinted yellow (info) or pink; a
    // null text shows the help alone, withHelp adds the help below the text.
    void ShowMessage(bool info, const wchar_t* text, bool withHelp);
    void LoadList();
    void SaveListIfModified();
    void UpdateControls();
    void ApplySize();

    // The import and export commands after their file dialogs: the chosen
    // path, the encoding mode word and, for the export, whether the "F" rows
    // are written too.
    void ImportFile(const wchar_t* path, std::int32_t mode);
    void ExportFile(const wchar_t* path, std::int32_t mode, bool includeReference);

    CButton m_usePosition;
    CEditEx m_editX;
    CSpinButtonCtrl m_spinX;
    CEditEx m_editY;
    CSpinButtonCtrl m_spinY;
    CEditEx m_editWidth;
    CSpinButtonCtrl m_spinWidth;
    CEditEx m_editHeight;
    CSpinButtonCtrl m_spinHeight;
    CReportViewCtrl m_list;
    CButton m_addButton;
    CButton m_removeButton;
    CButton m_upButton;
    CButton m_downButton;
    CEditEx m_messages;
    CMenuButton m_menuButton;
    RECT m_rcFrameInner{}; // the frame's capture area on the screen when the dialog opened

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool PreTranslateMessage(MSG* msg) override;

private:
    void OnClose();
    void OnUsePosition();
    void OnAdd();
    void OnRemove();
    void OnUp();
    void OnDown();
    void OnApply();
    void OnItemChanged(NMHDR* header, LRESULT* result);
    void OnBeginCellEdit(NMHDR* header, LRESULT* result);
    void OnDblClk(NMHDR* header, LRESULT* result);
    void OnImport();
    void OnExport();
    void OnReferenceFileName();
    void OnDuplicate();
    DECLARE_MESSAGE_MAP()

    void InsertColumns(int minInnerWidth, int minInnerHeight);
    void EnablePosition(bool enable) const;
    int SelectedRow() const;
    bool IsOwnRow(int row) const;
    // Appends the entries as rows, reference entries with the "F" mark.
    void AppendRows(const SelectSizeList& list);
    // Rows in display order as entries (bOwn as given); reference rows only
    // when includeReference.
    void CollectRows(bool includeReference, std::int32_t bOwn, SelectSizeList& list) const;
    // Asks the frame for its smallest hole and its hole in window coordinates.
    void QueryFrame(int minSize[2], RECT& hole) const;

    const Settings& m_settings;
    const Profile& m_profile;
    CWnd* const m_pFrameWnd;
    const SizeSelectCalls m_calls;
    CReportViewCtrl::tagCOLUMN_EDIT_OPTION m_columnOptions[6]{};
    // The dialog's keys, loaded when it first opens and given back with it.
    unique_accel m_hAccel;
};
