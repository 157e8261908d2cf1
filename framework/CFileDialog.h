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
    CFileDialog(BOOL openFileDialog, const wchar_t* defExt = nullptr, const wchar_t* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const wchar_t* filter = nullptr,
                CWnd* parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;
    virtual ~CFileDialog();

    // Shows the dialog; IDOK when a file was chosen, IDCANCEL otherwise (also
    // when the dialog could not be created or shown: see GetLastResult).
    virtual INT_PTR DoModal();

    // The chosen file's full path (empty before a successful DoModal).
    CString GetPathName() const { return m_pathName; }
    // Its name without the folder.
    CString GetFileName() const;
    // The folder the dialog opens in (a file-system path).
    void SetInitialFolder(const wchar_t* folder) { m_initialFolder = folder ? folder : L""; }
    // The dialog's title (empty: the system's).
    void SetTitle(const wchar_t* title) { m_title = title ? title : L""; }

    // Extra controls. Ids are the caller's; every call returns the
    // customisation interface's result (E_NOINTERFACE without one).
    HRESULT StartVisualGroup(DWORD id, const wchar_t* label);
    HRESULT EndVisualGroup();
    HRESULT AddComboBox(DWORD id);
    HRESULT AddControlItem(DWORD controlId, DWORD itemId, const wchar_t* label);
    HRESULT SetSelectedControlItem(DWORD controlId, DWORD itemId);
    HRESULT GetSelectedControlItem(DWORD controlId, DWORD& itemId) const;
    HRESULT AddCheckButton(DWORD id, const wchar_t* label, BOOL checked);
    HRESULT SetCheckButtonState(DWORD id, BOOL checked);
    HRESULT GetCheckButtonState(DWORD id, BOOL& checked) const;

    // The underlying interfaces (not add-referenced; null when the dialog
    // object could not be created).
    IFileDialog* GetIFileDialog() const { return m_dialog.get(); }
    IFileDialogCustomize* GetIFileDialogCustomize() const { return m_customize.get(); }
    // The result of creating or showing the dialog.
    HRESULT GetLastResult() const { return m_lastResult; }

    // The filter text as pairs of description and pattern list.
    static std::vector<std::pair<std::wstring, std::wstring>> ParseFilter(const wchar_t* filter);
    // The item dialog's options for OFN_* flags.
    static FILEOPENDIALOGOPTIONS OptionsFromFlags(DWORD flags);

    BOOL m_bOpenFileDialog;
    DWORD m_dwFlags;

private:
    // Receives the dialog's OnFileOk to read the extra controls' state while
    // the dialog still exists.
    class EventSink;
    void CaptureControlState();

    com_ptr<IFileDialog> m_dialog;
    com_ptr<IFileDialogCustomize> m_customize;
    CWnd* m_pParentWnd;
    std::wstring m_defExt;
    std::wstring m_fileName;
    std::wstring m_initialFolder;
    std::wstring m_title;
    std::vector<std::pair<std::wstring, std::wstring>> m_filter;
    CString m_pathName;
    HRESULT m_lastResult = S_OK;

    // The extra controls, and their state as the dialog accepted it.
    std::vector<DWORD> m_comboIds;
    std::vector<DWORD> m_checkIds;
    bool m_captured = false;
    std::map<DWORD, DWORD> m_capturedItems;
    std::map<DWORD, BOOL> m_capturedChecks;
};
