#include "tests/support/MessagePump.h"

namespace test_support {

void DispatchWaitingMessages(const MessageFilter& filter) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (filter && filter(msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void PumpMessages(DWORD ms, DWORD restMs, Rest rest, const MessageFilter& filter) {
    const ULONGLONG start = ::GetTickCount64();
    do {
        DispatchWaitingMessages(filter);
        if (rest == Rest::UntilInput)
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, restMs, QS_ALLINPUT);
        else
            ::Sleep(restMs);
    } while (::GetTickCount64() - start < ms);
}

void PumpMessagesUntil(ULONGLONG deadline, DWORD restMs) {
    const ULONGLONG now = ::GetTickCount64();
    if (deadline > now)
        PumpMessages(static_cast<DWORD>(deadline - now), restMs);
}

} // namespace test_support
