// Message-map tables: each window class has a static table of rows
// {message, notification code, first id, last id, handler thunk}, ended by a
// row whose message is 0, and chained to its base class's table. The lookup
// is a plain function over these tables.
#pragma once

#include <cstdint>

class CWnd;

// A handler thunk calls one typed member function of the class the row
// belongs to. It receives the window object and the message parameters, and
// sets handled to false when the member declines the message.
using MessageThunk = std::intptr_t (*)(CWnd* wnd, std::uintptr_t wParam, std::intptr_t lParam, bool& handled);

struct MessageEntry {
    unsigned message;           // 0 ends the table
    unsigned code;              // WM_COMMAND / WM_NOTIFY notification code
    unsigned idFirst, idLast;   // control or command ids (inclusive), for WM_COMMAND / WM_NOTIFY rows
    const unsigned* registered; // for a registered message: where its number is kept
    MessageThunk thunk;
};

struct MessageMap {
    const MessageMap* base;
    const MessageEntry* entries;
};

// Messages that carry a notification code and a control id.
constexpr unsigned kMsgCommand = 0x0111; // WM_COMMAND
constexpr unsigned kMsgNotify = 0x004E;  // WM_NOTIFY
// Reflected messages are looked up in the child's table at this offset.
constexpr unsigned kReflectBase = 0xBC00;
// The row marker for registered messages.
constexpr unsigned kRegisteredMarker = 0xC000;

// Finds the first row, from the most derived table to the base tables, that
// takes this message. For command and notification rows (and their reflected
// forms) the code must be equal and the id within the row's range.
const MessageEntry* FindMessageEntry(const MessageMap* map, unsigned message, unsigned code, unsigned id);
