// Menus. CMenu owns the menu it loads or creates and destroys it with all
// its submenus; MenuRef names a menu it does not own, such as a submenu of a
// CMenu, and never destroys anything. Both offer the same operations.
#pragma once

#include "framework/Handles.h"

class MenuRef;

// The operations on a menu, for any class with GetSafeHmenu().
template <class Menu> class MenuOperations {
public:
    MenuRef GetSubMenu(int pos) const;
    UINT CheckMenuItem(UINT id, UINT check) const { return ::CheckMenuItem(Handle(), id, check); }
    UINT EnableMenuItem(UINT id, UINT enable) const { return ::EnableMenuItem(Handle(), id, enable); }
    bool ModifyMenu(UINT position, UINT flags, UINT_PTR newId, const wchar_t* text) const {
        return ::ModifyMenuW(Handle(), position, flags, newId, text) != FALSE;
    }
    bool RemoveMenu(UINT position, UINT flags) const {
        return ::RemoveMenu(Handle(), position, flags) != FALSE;
    }
    bool AppendMenu(UINT flags, UINT_PTR id, const wchar_t* text) const {
        return ::AppendMenuW(Handle(), flags, id, text) != FALSE;
    }
    int GetMenuItemCount() const { return ::GetMenuItemCount(Handle()); }
    UINT GetMenuItemID(int pos) const { return ::GetMenuItemID(Handle(), pos); }
    UINT GetMenuState(UINT id, UINT flags) const { return ::GetMenuState(Handle(), id, flags); }
    // With TPM_RETURNCMD, the command chosen (0 for none).
    BOOL TrackPopupMenu(UINT flags, int x, int y, HWND owner) const {
        return ::TrackPopupMenu(Handle(), flags, x, y, 0, owner, nullptr);
    }

private:
    HMENU Handle() const { return static_cast<const Menu*>(this)->GetSafeHmenu(); }
};

class MenuRef : public MenuOperations<MenuRef> {
public:
    explicit MenuRef(HMENU menu = nullptr) noexcept : m_hMenu(menu) {}
    HMENU GetSafeHmenu() const { return m_hMenu; }

private:
    HMENU m_hMenu;
};

template <class Menu> MenuRef MenuOperations<Menu>::GetSubMenu(int pos) const {
    return MenuRef(::GetSubMenu(Handle(), pos));
}

class CMenu : public MenuOperations<CMenu> {
public:
    bool LoadMenu(UINT id) {
        m_hMenu.reset(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
        return static_cast<bool>(m_hMenu);
    }
    bool CreatePopupMenu() {
        m_hMenu.reset(::CreatePopupMenu());
        return static_cast<bool>(m_hMenu);
    }
    void DestroyMenu() { m_hMenu.reset(); }
    HMENU GetSafeHmenu() const { return m_hMenu.get(); }

private:
    unique_menu m_hMenu;
};
