// The thumbnail toolbar of the frame's taskbar button (open the output
// folder, options, lock or unlock, controller) and the jump-list task that
// opens the output folder. Every shell failure is silent: the frame works
// on without them.
#pragma once

#include "framework/CImageList.h"
#include "framework/CWnd.h"
#include "framework/ComPtr.h"

#include <shobjidl.h>

// A click on a thumbnail-toolbar button reaches the frame as WM_COMMAND with
// the button's id and the THBN_CLICKED code; this row takes it.
#define ON_THBN_CLICKED(id, member) ON_CONTROL(THBN_CLICKED, id, member)

class CTaskbarThumbButtons : public CImageList {
public:
    CTaskbarThumbButtons();

    // Installs the toolbar on the frame's button; true when every shell call
    // succeeded.
    bool AddButtons(HWND frame);
    // Shows the lock button as lock or unlock.
    bool UpdateLockButton(HWND frame, bool locked);

    const THUMBBUTTON& Button(int slot) const { return m_buttons[slot]; }

    static constexpr int kButtonCount = 4;

private:
    void SetLockState(bool locked);

    THUMBBUTTON m_buttons[kButtonCount];
};

// The jump-list task: a shell link that starts program (this program's
// file) with "/openfolder", which the running copy answers by opening the
// output folder as F2 does, or by saying why it cannot; with the folder icon
// of the shell and the task's title. Null when the link or its property store
// cannot be had or its path and arguments cannot be set.
com_ptr<IShellLinkW> CreateFolderTaskLink(const wchar_t* program);

// Replaces the program's jump list with that one task for this program's
// file; 1 when the shell committed the list, else 0.
int SetJumpListFolderTask();
