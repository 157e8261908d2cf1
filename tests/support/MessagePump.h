// Running this thread's message queue from a test while it waits for windows
// to do their work: once through what is waiting, or for a while.
#pragma once

#include <windows.h>

#include <functional>

namespace test_support {

// Sees a message before it is dispatched; true when it has handled it (the
// message is then neither translated nor dispatched).
using MessageFilter = std::function<bool(MSG&)>;

// How a pump waits between its rounds: a plain sleep, or a wait that new
// input or a posted message ends early.
enum class Rest { Sleep, UntilInput };

// Translates and dispatches every message waiting in this thread's queue.
void DispatchWaitingMessages(const MessageFilter& filter = {});

// Dispatches this thread's messages for at least ms milliseconds: a round of
// DispatchWaitingMessages, then a rest of restMs, until ms have passed since
// the call. One round and one rest are run even when ms is 0.
void PumpMessages(DWORD ms, DWORD restMs = 5, Rest rest = Rest::Sleep, const MessageFilter& filter = {});

// PumpMessages until the GetTickCount64 moment deadline; returns at once when
// it has passed.
void PumpMessagesUntil(ULONGLONG deadline, DWORD restMs = 5);

} // namespace test_support
