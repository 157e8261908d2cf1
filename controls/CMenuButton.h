// A push button that drops a popup menu down below itself: the first
// sub-menu of m_menu, right-aligned with the button. The chosen command
// reaches the button's parent as WM_COMMAND.
#pragma once

#include "framework/CButton.h"
#include "framework/CMenu.h"

class CMenuButton : public CButton {
public:
    // menuId 0: the owner loads or builds m_menu itself.
    explicit CMenuButton(UINT menuId = 0) {
        if (menuId != 0)
            m_menu.LoadMenu(menuId);
    }

    CMenu m_menu;

    void ShowMenu();

    bool PreTranslateMessage(MSG* msg) override;

private:
    void OnClicked();
    DECLARE_MESSAGE_MAP()
};
