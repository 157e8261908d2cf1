// Open and save dialogs over the common item dialog (IFileOpenDialog,
// IFileSaveDialog), with its customisation interface for extra controls:
// visual groups, combo boxes with items and check buttons. The dialog object
// is created with this object, so controls can be added before DoModal and
// their results read afterwards. The results of the extra controls are also
// kept as the dialog accepted them, since some implementations stop
// answering once the window is gone.
#pragma once

#include "framework/CString.h"
#include "framework/ComPtr.h"

#include <windows.h>
#include <commdlg.h>
#include <shobjidl.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

class CWnd;

class CFileDialog {
public:
    // defExt: default extension with or without its dot. flags: OFN_* flags,
    // translated to the item dialog's options. filter: pairs of description
    // and pattern list separated by '|', ended by "||".
    CFileDialog(bool openFileDialog, const wchar_t* defExt = nullptr, const wchar_t* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const wchar_t* filter = nullptr,
                CWnd* parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;
    virtual ~CFileDialog();

    // Shows the dialog; IDOK when a file was chosen, IDCANCEL otherwise (also
    // when the dialog could not be created or shown).
    virtual INT_PTR DoModal();

    // The chosen file's full path (empty before a successful DoModal).
    CString GetPathName() const { return m_strPathName; }
    // The folder the dialog opens in (a file-system path).
    void SetInitialFolder(const wchar_t* folder) { m_strInitialFolder = folder ? folder : L""; }

    // Extra controls. Ids are the caller's; every call returns the
    // customisation interface's result (E_NOINTERFACE without one).
    HRESULT StartVisualGroup(DWORD id, const wchar_t* label);
    HRESULT EndVisualGroup();
    HRESULT AddComboBox(DWORD id);
    HRESULT AddControlItem(DWORD controlId, DWORD itemId, const wchar_t* label);
    HRESULT SetSelectedControlItem(DWORD controlId, DWORD itemId);
    HRESULT GetSelectedControlItem(DWORD controlId, DWORD& itemId) const;
    HRESULT AddCheckButton(DWORD id, const wchar_t* label, bool checked);
    HRESULT GetCheckButtonState(DWORD id, bool& checked) const;

    // The underlying dialog (not add-referenced; null when it could not be
    // created).
    IFileDialog* GetIFileDialog() const { return m_pDialog.get(); }

    // The filter text as pairs of description and pattern list.
    static std::vector<std::pair<std::wstring, std::wstring>> ParseFilter(const wchar_t* filter);
    // The item dialog's options for OFN_* flags.
    static FILEOPENDIALOGOPTIONS OptionsFromFlags(DWORD flags);

    DWORD m_dwFlags;

private:
    // Receives the dialog's OnFileOk to read the extra controls' state while
    // the dialog still exists.
    class EventSink;
    void CaptureControlState();

    com_ptr<IFileDialog> m_pDialog;
    com_ptr<IFileDialogCustomize> m_pCustomize;
    CWnd* m_pParentWnd;
    std::wstring m_strDefExt;
    std::wstring m_strFileName;
    std::wstring m_strInitialFolder;
    std::vector<std::pair<std::wstring, std::wstring>> m_filter;
    CString m_strPathName;

    // The extra controls, and their state as the dialog accepted it.
    std::vector<DWORD> m_comboIds;
    std::vector<DWORD> m_checkIds;
    bool m_bCaptured = false;
    std::map<DWORD, DWORD> m_capturedItems;
    std::map<DWORD, bool> m_capturedChecks;
};
