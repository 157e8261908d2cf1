// Message boxes the frame has open when the program ends. A box that asks
// Yes or No has no Cancel, so it ignores WM_CLOSE and would keep the program
// (and its file) alive after the close command: it is answered instead.
#pragma once

#include <windows.h>

// Clicks the way out of every visible message box of this thread owned by
// owner (Cancel, else No, else OK); the number of boxes answered. The caller
// ignores the answers.
int DismissMessageBoxes(HWND owner);
