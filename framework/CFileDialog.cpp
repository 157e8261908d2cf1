#include "framework/CFileDialog.h"

#include "framework/CWnd.h"
#include "framework/Handles.h"

#include <shlobj.h>

// The dialog's event sink: only OnFileOk matters, where the extra controls
// are read before the dialog window goes away. The sink is reference
// counted as COM requires; the dialog object releases it at Unadvise.
class CFileDialog::EventSink : public IFileDialogEvents {
public:
    explicit EventSink(CFileDialog* owner) : m_pOwner(owner) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IFileDialogEvents))) {
            *out = static_cast<IFileDialogEvents*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&m_nRefs); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG refs = ::InterlockedDecrement(&m_nRefs);
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }

    HRESULT STDMETHODCALLTYPE OnFileOk(IFileDialog*) override {
        if (m_pOwner)
            m_pOwner->CaptureControlState();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnFolderChanging(IFileDialog*, IShellItem*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFolderChange(IFileDialog*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnSelectionChange(IFileDialog*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShareViolation(IFileDialog*, IShellItem*,
                                               FDE_SHAREVIOLATION_RESPONSE*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE OnTypeChange(IFileDialog*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnOverwrite(IFileDialog*, IShellItem*, FDE_OVERWRITE_RESPONSE*) override {
        return E_NOTIMPL;
    }

    void Detach() { m_pOwner = nullptr; }

private:
    virtual ~EventSink() = default;
    LONG m_nRefs = 1;
    CFileDialog* m_pOwner;
};

CFileDialog::CFileDialog(bool openFileDialog, const wchar_t* defExt, const wchar_t* fileName, DWORD flags,
                         const wchar_t* filter, CWnd* parent)
    : m_dwFlags(flags), m_pParentWnd(parent) {
    if (defExt) {
        m_strDefExt = defExt;
        if (!m_strDefExt.empty() && m_strDefExt[0] == L'.')
            m_strDefExt.erase(0, 1);
    }
    if (fileName)
        m_strFileName = fileName;
    m_filter = ParseFilter(filter);

    // Both dialog objects answer IFileDialog, which is all this class uses.
    if (SUCCEEDED(CreateInstance(openFileDialog ? CLSID_FileOpenDialog : CLSID_FileSaveDialog, m_pDialog)) &&
        m_pDialog)
        m_pCustomize = m_pDialog.try_query<IFileDialogCustomize>();
    else
        m_pDialog.reset();
}

CFileDialog::~CFileDialog() = default;

std::vector<std::pair<std::wstring, std::wstring>> CFileDialog::ParseFilter(const wchar_t* filter) {
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    if (!filter)
        return pairs;
    std::wstring text(filter);
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start <= text.size()) {
        size_t bar = text.find(L'|', start);
        if (bar == std::wstring::npos)
            bar = text.size();
        std::wstring part = text.substr(start, bar - start);
        if (part.empty())
            break; // "||" (or the end) closes the list
        parts.push_back(std::move(part));
        start = bar + 1;
    }
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
        pairs.emplace_back(parts[i], parts[i + 1]);
    return pairs;
}

FILEOPENDIALOGOPTIONS CFileDialog::OptionsFromFlags(DWORD flags) {
    struct Mapping {
        DWORD flag;
        FILEOPENDIALOGOPTIONS option;
    };
    static const Mapping mappings[] = {
        {OFN_OVERWRITEPROMPT, FOS_OVERWRITEPROMPT},
        {OFN_NOCHANGEDIR, FOS_NOCHANGEDIR},
        {OFN_NOVALIDATE, FOS_NOVALIDATE},
        {OFN_ALLOWMULTISELECT, FOS_ALLOWMULTISELECT},
        {OFN_PATHMUSTEXIST, FOS_PATHMUSTEXIST},
        {OFN_FILEMUSTEXIST, FOS_FILEMUSTEXIST},
        {OFN_CREATEPROMPT, FOS_CREATEPROMPT},
        {OFN_SHAREAWARE, FOS_SHAREAWARE},
        {OFN_NOREADONLYRETURN, FOS_NOREADONLYRETURN},
        {OFN_NOTESTFILECREATE, FOS_NOTESTFILECREATE},
        {OFN_NODEREFERENCELINKS, FOS_NODEREFERENCELINKS},
        {OFN_DONTADDTORECENT, FOS_DONTADDTORECENT},
        {OFN_FORCESHOWHIDDEN, FOS_FORCESHOWHIDDEN},
    };
    FILEOPENDIALOGOPTIONS options = FOS_FORCEFILESYSTEM;
    for (const Mapping& m : mappings) {
        if (flags & m.flag)
            options |= m.option;
    }
    return options;
}

INT_PTR CFileDialog::DoModal() {
    m_strPathName.Empty();
    m_bCaptured = false;
    m_capturedItems.clear();
    m_capturedChecks.clear();
    if (!m_pDialog)
        return IDCANCEL;

    // The defaults that flags can switch are taken from the flags alone.
    FILEOPENDIALOGOPTIONS options = 0;
    m_pDialog->GetOptions(&options);
    options &= ~static_cast<FILEOPENDIALOGOPTIONS>(FOS_OVERWRITEPROMPT | FOS_FILEMUSTEXIST |
                                                   FOS_ALLOWMULTISELECT | FOS_CREATEPROMPT);
    m_pDialog->SetOptions(options | OptionsFromFlags(m_dwFlags));

    if (!m_filter.empty()) {
        std::vector<COMDLG_FILTERSPEC> filters;
        filters.reserve(m_filter.size());
        for (const auto& [name, pattern] : m_filter)
            filters.push_back({name.c_str(), pattern.c_str()});
        m_pDialog->SetFileTypes(static_cast<UINT>(filters.size()), filters.data());
        m_pDialog->SetFileTypeIndex(1);
    }
    if (!m_strDefExt.empty())
        m_pDialog->SetDefaultExtension(m_strDefExt.c_str());
    if (!m_strFileName.empty())
        m_pDialog->SetFileName(m_strFileName.c_str());
    if (!m_strInitialFolder.empty()) {
        com_ptr<IShellItem> folder;
        if (SUCCEEDED(::SHCreateItemFromParsingName(m_strInitialFolder.c_str(), nullptr, __uuidof(IShellItem),
                                                    folder.put_void())))
            m_pDialog->SetFolder(folder.get());
    }

    const auto sink = com_ptr<EventSink>::attach(new (std::nothrow) EventSink(this));
    DWORD cookie = 0;
    bool advised = sink && SUCCEEDED(m_pDialog->Advise(sink.get(), &cookie));

    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (!owner)
        owner = ::GetActiveWindow();
    const HRESULT shown = m_pDialog->Show(owner);

    if (advised)
        m_pDialog->Unadvise(cookie);
    if (sink)
        sink->Detach();
    if (FAILED(shown))
        return IDCANCEL;

    com_ptr<IShellItem> result;
    if (FAILED(m_pDialog->GetResult(result.put())) || !result)
        return IDCANCEL;
    unique_cotaskmem<PWSTR> path;
    if (FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, path.put())) || !path)
        return IDCANCEL;
    m_strPathName = path.get();
    if (!m_bCaptured)
        CaptureControlState();
    return IDOK;
}

void CFileDialog::CaptureControlState() {
    if (!m_pCustomize)
        return;
    for (DWORD id : m_comboIds) {
        DWORD item = 0;
        if (SUCCEEDED(m_pCustomize->GetSelectedControlItem(id, &item)))
            m_capturedItems[id] = item;
    }
    for (DWORD id : m_checkIds) {
        BOOL checked = FALSE;
        if (SUCCEEDED(m_pCustomize->GetCheckButtonState(id, &checked)))
            m_capturedChecks[id] = checked != FALSE;
    }
    m_bCaptured = true;
}

HRESULT CFileDialog::StartVisualGroup(DWORD id, const wchar_t* label) {
    return m_pCustomize ? m_pCustomize->StartVisualGroup(id, label ? label : L"") : E_NOINTERFACE;
}

HRESULT CFileDialog::EndVisualGroup() {
    return m_pCustomize ? m_pCustomize->EndVisualGroup() : E_NOINTERFACE;
}

HRESULT CFileDialog::AddComboBox(DWORD id) {
    if (!m_pCustomize)
        return E_NOINTERFACE;
    HRESULT hr = m_pCustomize->AddComboBox(id);
    if (SUCCEEDED(hr))
        m_comboIds.push_back(id);
    return hr;
}

HRESULT CFileDialog::AddControlItem(DWORD controlId, DWORD itemId, const wchar_t* label) {
    return m_pCustomize ? m_pCustomize->AddControlItem(controlId, itemId, label ? label : L"")
                        : E_NOINTERFACE;
}

HRESULT CFileDialog::SetSelectedControlItem(DWORD controlId, DWORD itemId) {
    return m_pCustomize ? m_pCustomize->SetSelectedControlItem(controlId, itemId) : E_NOINTERFACE;
}

HRESULT CFileDialog::GetSelectedControlItem(DWORD controlId, DWORD& itemId) const {
    if (auto found = m_capturedItems.find(controlId); found != m_capturedItems.end()) {
        itemId = found->second;
        return S_OK;
    }
    return m_pCustomize ? m_pCustomize->GetSelectedControlItem(controlId, &itemId) : E_NOINTERFACE;
}

HRESULT CFileDialog::AddCheckButton(DWORD id, const wchar_t* label, bool checked) {
    if (!m_pCustomize)
        return E_NOINTERFACE;
    HRESULT hr = m_pCustomize->AddCheckButton(id, label ? label : L"", checked);
    if (SUCCEEDED(hr))
        m_checkIds.push_back(id);
    return hr;
}

HRESULT CFileDialog::GetCheckButtonState(DWORD id, bool& checked) const {
    if (auto found = m_capturedChecks.find(id); found != m_capturedChecks.end()) {
        checked = found->second;
        return S_OK;
    }
    if (!m_pCustomize)
        return E_NOINTERFACE;
    BOOL state = FALSE;
    const HRESULT hr = m_pCustomize->GetCheckButtonState(id, &state);
    if (SUCCEEDED(hr))
        checked = state != FALSE;
    return hr;
}
