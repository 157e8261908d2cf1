// A menu. A menu loaded or created through this object is destroyed with it;
// an attached one (a submenu) is not.
#pragma once

#include "framework/Handles.h"

class CMenu {
public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    ~CMenu() { DestroyMenu(); }

    BOOL LoadMenu(UINT id) {
        DestroyMenu();
        m_menu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
        m_owned = m_menu != nullptr;
        return m_menu ? TRUE : FALSE;
    }
    BOOL CreatePopupMenu() {
        DestroyMenu();
        m_menu = ::CreatePopupMenu();
        m_owned = m_menu != nullptr;
        return m_menu ? TRUE : FALSE;
    }
    void Attach(HMENU menu) {
        DestroyMenu();
        m_menu = menu;
        m_owned = false;
    }
    HMENU Detach() {
        HMENU menu = m_menu;
        m_menu = nullptr;
        m_owned = false;
        return menu;
    }
    void DestroyMenu() {
        if (m_menu && m_owned)
            ::DestroyMenu(m_menu);
        m_menu = nullptr;
        m_owned = false;
    }
    HMENU GetSafeHmenu() const { return m_menu; }
    HMENU GetSubMenu(int pos) const { return ::GetSubMenu(m_menu, pos); }
    UINT CheckMenuItem(UINT id, UINT check) const { return ::CheckMenuItem(m_menu, id, check); }
    UINT EnableMenuItem(UINT id, UINT enable) const { return ::EnableMenuItem(m_menu, id, enable); }
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR newId, const wchar_t* text) const {
        return ::ModifyMenuW(m_menu, position, flags, newId, text);
    }
    BOOL RemoveMenu(UINT position, UINT flags) const { return ::RemoveMenu(m_menu, position, flags); }
    BOOL AppendMenu(UINT flags, UINT_PTR id, const wchar_t* text) const {
        return ::AppendMenuW(m_menu, flags, id, text);
    }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_menu); }
    UINT GetMenuItemID(int pos) const { return ::GetMenuItemID(m_menu, pos); }
    UINT GetMenuState(UINT id, UINT flags) const { return ::GetMenuState(m_menu, id, flags); }
    BOOL TrackPopupMenu(UINT flags, int x, int y, HWND owner) const {
        return ::TrackPopupMenu(m_menu, flags, x, y, 0, owner, nullptr);
    }

private:
    HMENU m_menu = nullptr;
    bool m_owned = false;
};
