#include "tests/support/WindowFinder.h"

#include "tests/support/MessagePump.h"

namespace test_support {

namespace {

bool SameClass(const std::wstring& name, const wchar_t* wanted) {
    return ::CompareStringOrdinal(name.c_str(), -1, wanted, -1, TRUE) == CSTR_EQUAL;
}

bool Matches(HWND hwnd, const WindowQuery& q) {
    if (hwnd == q.except || (q.visibleOnly && !::IsWindowVisible(hwnd)))
        return false;
    if (q.processId) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hwnd, &pid);
        if (pid != q.processId)
            return false;
    }
    const HWND owner = ::GetWindow(hwnd, GW_OWNER);
    if ((q.unowned && owner) || (q.owner && owner != q.owner))
        return false;
    if (q.className && !SameClass(ClassOf(hwnd), q.className))
        return false;
    if (q.title && TextOf(hwnd) != q.title)
        return false;
    return !q.also || q.also(hwnd);
}

// Runs visit over the query's candidates until it returns false.
void EachCandidate(const WindowQuery& q, const std::function<bool(HWND)>& visit) {
    const auto callback = [](HWND hwnd, LPARAM lp) -> BOOL {
        return (*reinterpret_cast<const std::function<bool(HWND)>*>(lp))(hwnd);
    };
    const LPARAM lp = reinterpret_cast<LPARAM>(&visit);
    if (q.threadId)
        ::EnumThreadWindows(q.threadId, callback, lp);
    else
        ::EnumWindows(callback, lp);
}

} // namespace

std::wstring ClassOf(HWND window) {
    wchar_t name[257] = {}; // class names hold at most 256 characters
    const int length = ::GetClassNameW(window, name, 257);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring TextOf(HWND window) {
    // The length may be larger than the text; GetWindowTextW says how much
    // it copied.
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::vector<std::wstring> ChildTexts(HWND parent) {
    std::vector<std::wstring> texts;
    ::EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM lp) -> BOOL {
            reinterpret_cast<std::vector<std::wstring>*>(lp)->push_back(TextOf(hwnd));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

RECT WindowRectOf(HWND window) {
    RECT r = {};
    ::GetWindowRect(window, &r);
    return r;
}

POINT CentreOf(HWND window) {
    const RECT r = WindowRectOf(window);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

HWND FindTopLevel(const WindowQuery& query) {
    HWND found = nullptr;
    EachCandidate(query, [&](HWND hwnd) {
        if (!Matches(hwnd, query))
            return true;
        found = hwnd;
        return false;
    });
    return found;
}

std::vector<HWND> FindAllTopLevel(const WindowQuery& query) {
    std::vector<HWND> found;
    EachCandidate(query, [&](HWND hwnd) {
        if (Matches(hwnd, query))
            found.push_back(hwnd);
        return true;
    });
    return found;
}

HWND WaitForTopLevel(const WindowQuery& query, DWORD timeoutMs, DWORD pumpMs,
                     const std::function<bool()>& giveUp) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    do {
        if (HWND found = FindTopLevel(query))
            return found;
        if (giveUp && giveUp())
            return nullptr;
        PumpMessages(pumpMs);
    } while (::GetTickCount64() < end);
    return FindTopLevel(query);
}

HWND FindThreadWindow(const wchar_t* className, const wchar_t* title) {
    return FindTopLevel({.className = className, .title = title, .threadId = ::GetCurrentThreadId()});
}

HWND FindDescendant(HWND parent, const wchar_t* className, const wchar_t* parentClass) {
    struct Query {
        const wchar_t* className;
        const wchar_t* parentClass;
        HWND found;
    } query{className, parentClass, nullptr};
    ::EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* q = reinterpret_cast<Query*>(lp);
            if (SameClass(ClassOf(hwnd), q->className) &&
                (!q->parentClass || SameClass(ClassOf(::GetParent(hwnd)), q->parentClass))) {
                q->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.found;
}

} // namespace test_support
