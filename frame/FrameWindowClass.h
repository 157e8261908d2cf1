// The frame's window class: the system's dialog class under a name of the
// program's own. The frame and the program's message boxes share the title
// "Frimlet2"; the class tells the frame apart (the installer closes the
// program by it).
#pragma once

inline constexpr wchar_t kFrameWindowClass[] = L"Frimlet2Frame";

// Registers the class for this module once; true when it is registered.
bool RegisterFrameWindowClass();
