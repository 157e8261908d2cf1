#include "frame/ElevationCalls.h"

#include "framework/Handles.h"

int ElevationCalls::AllowFromLowerIntegrity(HWND window, std::initializer_list<UINT> messages) const {
    if (!processIsElevated())
        return 0;
    int opened = 0;
    for (UINT message : messages)
        if (changeMessageFilter(window, message, MSGFLT_ALLOW, nullptr))
            ++opened;
    return opened;
}

bool ElevationCalls::ProcessIsElevated() {
    unique_kernel_handle token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.put()))
        return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return ::GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof(elevation), &size) &&
           elevation.TokenIsElevated != 0;
}
