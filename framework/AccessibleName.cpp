#include "framework/AccessibleName.h"

#include "framework/ComPtr.h"
#include "framework/SystemLibrary.h"

#include <commctrl.h>
#include <oleacc.h>

#include <memory>
#include <string>
#include <utility>

namespace {

constexpr UINT_PTR kSubclassId = 0x4163634E; // "AccN"
// The window's name, found again when it is set a second time.
constexpr wchar_t kNameProperty[] = L"AccessibleName.Text";

// The standard accessible object of a window with another name for the
// window itself; everything else is the standard object's.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(com_ptr<IAccessible> inner, const std::wstring& name)
        : m_pInner(std::move(inner)), m_strName(name) {}
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs)); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG refs = ::InterlockedDecrement(&m_nRefs);
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return m_pInner->GetTypeInfoCount(count); }
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return m_pInner->GetTypeInfo(index, lcid, info);
    }
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
        return m_pInner->GetIDsOfNames(iid, names, count, lcid, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override {
        return m_pInner->Invoke(id, iid, lcid, flags, params, result, exception, argError);
    }

    // IAccessible
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF)
            return m_pInner->get_accName(child, name);
        if (!name)
            return E_POINTER;
        *name = ::SysAllocString(m_strName.c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP get_accParent(IDispatch** parent) override { return m_pInner->get_accParent(parent); }
    STDMETHODIMP get_accChildCount(LONG* count) override { return m_pInner->get_accChildCount(count); }
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override {
        return m_pInner->get_accChild(child, out);
    }
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
        return m_pInner->get_accValue(child, value);
    }
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* text) override {
        return m_pInner->get_accDescription(child, text);
    }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
        return m_pInner->get_accRole(child, role);
    }
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
        return m_pInner->get_accState(child, state);
    }
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override {
        return m_pInner->get_accHelp(child, help);
    }
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return m_pInner->get_accHelpTopic(file, child, topic);
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return m_pInner->get_accKeyboardShortcut(child, keys);
    }
    STDMETHODIMP get_accFocus(VARIANT* child) override { return m_pInner->get_accFocus(child); }
    STDMETHODIMP get_accSelection(VARIANT* children) override { return m_pInner->get_accSelection(children); }
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
        return m_pInner->get_accDefaultAction(child, action);
    }
    STDMETHODIMP accSelect(LONG flags, VARIANT child) override { return m_pInner->accSelect(flags, child); }
    STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        return m_pInner->accLocation(left, top, width, height, child);
    }
    STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return m_pInner->accNavigate(direction, start, end);
    }
    STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* child) override {
        return m_pInner->accHitTest(x, y, child);
    }
    STDMETHODIMP accDoDefaultAction(VARIANT child) override { return m_pInner->accDoDefaultAction(child); }
    STDMETHODIMP put_accName(VARIANT child, BSTR name) override { return m_pInner->put_accName(child, name); }
    STDMETHODIMP put_accValue(VARIANT child, BSTR value) override {
        return m_pInner->put_accValue(child, value);
    }

private:
    ~NamedAccessible() = default;

    LONG m_nRefs = 1;
    com_ptr<IAccessible> m_pInner;
    std::wstring m_strName;
};

// The client object, named, as WM_GETOBJECT's answer; 0 (the window's own
// answer) when the accessibility library is missing.
LRESULT NamedClientObject(HWND window, WPARAM flags, const std::wstring& name) {
    static const auto createStandard =
        SystemFunction<LPFNCREATESTDACCESSIBLEOBJECT>(L"oleacc.dll", "CreateStdAccessibleObject");
    static const auto resultFromObject =
        SystemFunction<LPFNLRESULTFROMOBJECT>(L"oleacc.dll", "LresultFromObject");
    if (!createStandard || !resultFromObject)
        return 0;
    com_ptr<IAccessible> standard;
    if (FAILED(createStandard(window, OBJID_CLIENT, __uuidof(IAccessible), standard.put_void())) || !standard)
        return 0;
    const auto named = com_ptr<IAccessible>::attach(new NamedAccessible(std::move(standard), name));
    // The result holds a reference of its own until the client takes it.
    const LRESULT result = resultFromObject(__uuidof(IAccessible), flags, named.get());
    return result > 0 ? result : 0;
}

LRESULT CALLBACK NameSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                  DWORD_PTR data) {
    auto* name = reinterpret_cast<std::wstring*>(data);
    switch (message) {
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT)
            if (const LRESULT result = NamedClientObject(window, wParam, *name))
                return result;
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(window, &NameSubclassProc, id);
        ::RemovePropW(window, kNameProperty);
        delete name;
        break;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

bool SetAccessibleName(HWND window, const wchar_t* name) {
    if (auto* existing = static_cast<std::wstring*>(::GetPropW(window, kNameProperty))) {
        *existing = name;
        return true;
    }
    // Owned by the window from here on, freed at WM_NCDESTROY.
    auto owned = std::make_unique<std::wstring>(name);
    if (!::SetWindowSubclass(window, &NameSubclassProc, kSubclassId,
                             reinterpret_cast<DWORD_PTR>(owned.get())))
        return false;
    ::SetPropW(window, kNameProperty, owned.get());
    owned.release();
    return true;
}
