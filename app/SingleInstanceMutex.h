// The named mutex that keeps the program to one copy per user session.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

class SingleInstanceMutex {
public:
    using CreateMutexFn = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCWSTR name);

    // Creates the mutex "CFrimlet2App", owned when this copy made it.
    explicit SingleInstanceMutex(CreateMutexFn createMutex = ::CreateMutexW);

    // Another copy holds the mutex: it existed already, or it exists with
    // rights this copy does not have (the other copy runs elevated).
    bool AnotherCopyRuns() const { return m_bAnotherCopyRuns; }
    // Releases the ownership taken at construction.
    void Release();

private:
    unique_kernel_handle m_hMutex;
    bool m_bAnotherCopyRuns = false;
};
