// The thumbnail toolbar of the frame's taskbar button (open the output
// folder, options, lock or unlock, controller) and the jump-list task that
// opens the output folder. Every shell failure is silent: the frame works
// on without them.
#pragma once

#include "framework/CImageList.h"

#include <shobjidl.h>

class CTaskbarThumbButtons : public CImageList {
public:
    CTaskbarThumbButtons();

    // Installs the toolbar on the frame's button; TRUE when every shell call
    // succeeded.
    BOOL AddButtons(HWND frame);
    // Shows the lock button as lock or unlock.
    BOOL UpdateLockButton(HWND frame, bool locked);

    const THUMBBUTTON& Button(int slot) const { return m_buttons[slot]; }

    static constexpr int kButtonCount = 4;

private:
    void SetLockState(bool locked);

    THUMBBUTTON m_buttons[kButtonCount];
};

// Replaces the program's jump list with one task that opens path in the
// shell; 1 when the list was committed, else 0.
int SetJumpListFolderTask(const wchar_t* path);
