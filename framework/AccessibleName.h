// An accessible name of its own for a window whose text is not its name: a
// picture button or an icon that says what it does only in a tooltip. Screen
// readers read it through Microsoft Active Accessibility and UI Automation's
// bridge to it: the window answers WM_GETOBJECT for its client object with
// the system's standard object for it, the name replaced.
#pragma once

#include <windows.h>

// Gives window the name (copied) until the window is destroyed; a second call
// replaces the name. False when the window cannot be subclassed.
bool SetAccessibleName(HWND window, const wchar_t* name);
