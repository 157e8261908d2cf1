// Whether the program runs elevated, and the one thing the frame does about
// it: only an elevated process is shielded from the messages of processes of
// lower integrity (the shell's taskbar among them), so only then does the
// frame open itself to the few messages the shell must send it. A program at
// the user's own level keeps the system's default filter. Tests give their
// own calls.
#pragma once

#include <windows.h>

#include <initializer_list>

struct ElevationCalls {
    // True when this process's token is elevated; false when it is not or
    // cannot be read.
    bool (*processIsElevated)() = &ProcessIsElevated;
    BOOL(WINAPI* changeMessageFilter)
    (HWND, UINT, DWORD, PCHANGEFILTERSTRUCT) = &::ChangeWindowMessageFilterEx;

    // Lets window receive messages from processes of lower integrity when
    // this process runs elevated; the number of messages opened.
    int AllowFromLowerIntegrity(HWND window, std::initializer_list<UINT> messages) const;

    // GetTokenInformation(TokenElevation) on this process's token.
    static bool ProcessIsElevated();
};
