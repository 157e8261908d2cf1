// Owners for the system's handles. unique_handle<Traits> is move-only and
// closes its handle with the traits' close function; the traits also say which
// value means "no handle" (null for most kinds, INVALID_HANDLE_VALUE for files
// and searches). Scoped types cover the cases that need more than the handle.
#pragma once

#include <windows.h>
#include <combaseapi.h>
#include <commctrl.h>
#include <shtypes.h>

#include <utility>

template <class Traits> class unique_handle {
public:
    using pointer = typename Traits::pointer;

    unique_handle() noexcept : m_hValue(Traits::invalid()) {}
    explicit unique_handle(pointer value) noexcept : m_hValue(value) {}
    unique_handle(const unique_handle&) = delete;
    unique_handle& operator=(const unique_handle&) = delete;
    unique_handle(unique_handle&& other) noexcept : m_hValue(other.release()) {}
    unique_handle& operator=(unique_handle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ~unique_handle() { close(); }

    explicit operator bool() const noexcept { return m_hValue != Traits::invalid(); }
    pointer get() const noexcept { return m_hValue; }
    pointer release() noexcept {
        pointer value = m_hValue;
        m_hValue = Traits::invalid();
        return value;
    }
    void reset(pointer value = Traits::invalid()) noexcept {
        if (value != m_hValue) {
            close();
            m_hValue = value;
        }
    }
    // For APIs that return a handle through an out parameter.
    pointer* put() noexcept {
        reset();
        return &m_hValue;
    }

private:
    void close() noexcept {
        if (m_hValue != Traits::invalid())
            Traits::close(m_hValue);
        m_hValue = Traits::invalid();
    }
    pointer m_hValue;
};

// Traits for handle kinds whose "no handle" value is null, closed by Close.
template <class H, auto Close> struct NullHandleTraits {
    using pointer = H;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer value) noexcept { Close(value); }
};
// Files and searches use INVALID_HANDLE_VALUE for "no handle".
template <auto Close> struct InvalidHandleTraits {
    using pointer = HANDLE;
    static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(pointer value) noexcept { Close(value); }
};

using KernelHandleTraits = NullHandleTraits<HANDLE, &::CloseHandle>;
using FileHandleTraits = InvalidHandleTraits<&::CloseHandle>;
using FindHandleTraits = InvalidHandleTraits<&::FindClose>;
using RegKeyTraits = NullHandleTraits<HKEY, &::RegCloseKey>;
using LocalMemoryTraits = NullHandleTraits<HLOCAL, &::LocalFree>;
using GlobalMemoryTraits = NullHandleTraits<HGLOBAL, &::GlobalFree>;
template <class H> using GdiObjectTraits = NullHandleTraits<H, &::DeleteObject>;
using MemoryDcTraits = NullHandleTraits<HDC, &::DeleteDC>;
using IconTraits = NullHandleTraits<HICON, &::DestroyIcon>;
using CursorTraits = NullHandleTraits<HCURSOR, &::DestroyCursor>;
using MenuTraits = NullHandleTraits<HMENU, &::DestroyMenu>;
using ImageListTraits = NullHandleTraits<HIMAGELIST, &::ImageList_Destroy>;
// A table from LoadAccelerators is counted per load: each load is given back
// with one DestroyAcceleratorTable, as a created table is.
using AcceleratorTraits = NullHandleTraits<HACCEL, &::DestroyAcceleratorTable>;
using HookTraits = NullHandleTraits<HHOOK, &::UnhookWindowsHookEx>;
using ModuleTraits = NullHandleTraits<HMODULE, &::FreeLibrary>;
// The clipboard has no handle: the value says whether this owner opened it.
struct ClipboardTraits {
    using pointer = bool;
    static pointer invalid() noexcept { return false; }
    static void close(pointer) noexcept { ::CloseClipboard(); }
};

using unique_kernel_handle = unique_handle<KernelHandleTraits>;
using unique_file = unique_handle<FileHandleTraits>;
using unique_find = unique_handle<FindHandleTraits>;
using unique_hkey = unique_handle<RegKeyTraits>;
using unique_local = unique_handle<LocalMemoryTraits>;
using unique_global = unique_handle<GlobalMemoryTraits>;
// Memory the shell hands out with the COM task allocator.
template <class P> using unique_cotaskmem = unique_handle<NullHandleTraits<P, &::CoTaskMemFree>>;
// An item list (PIDL) from the shell, such as SHBrowseForFolder's answer.
using unique_pidl = unique_cotaskmem<PIDLIST_ABSOLUTE>;
using unique_bitmap = unique_handle<GdiObjectTraits<HBITMAP>>;
using unique_region = unique_handle<GdiObjectTraits<HRGN>>;
using unique_font = unique_handle<GdiObjectTraits<HFONT>>;
using unique_brush = unique_handle<GdiObjectTraits<HBRUSH>>;
using unique_pen = unique_handle<GdiObjectTraits<HPEN>>;
using unique_memory_dc = unique_handle<MemoryDcTraits>;
using unique_icon = unique_handle<IconTraits>;
using unique_cursor = unique_handle<CursorTraits>;
using unique_menu = unique_handle<MenuTraits>;
using unique_imagelist = unique_handle<ImageListTraits>;
using unique_accel = unique_handle<AcceleratorTraits>;
using unique_hook = unique_handle<HookTraits>;
using unique_module = unique_handle<ModuleTraits>;
using unique_clipboard = unique_handle<ClipboardTraits>;

// Opens the clipboard for owner (a window, or null for reading only); the
// owner is empty when another program holds the clipboard.
inline unique_clipboard OpenClipboardFor(HWND owner) noexcept {
    return unique_clipboard(::OpenClipboard(owner) != FALSE);
}
// An accelerator table of this program's resources.
inline unique_accel LoadAcceleratorTable(UINT id) noexcept {
    return unique_accel(::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
}

// The device context of a window (or of the screen for a null window),
// released with the window it came from. Move-only; a moved-from or reset
// owner holds no DC.
class WindowDC {
public:
    WindowDC() noexcept = default;
    explicit WindowDC(HWND hwnd) noexcept : m_hWnd(hwnd), m_hDC(::GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    WindowDC(WindowDC&& other) noexcept
        : m_hWnd(std::exchange(other.m_hWnd, nullptr)), m_hDC(std::exchange(other.m_hDC, nullptr)) {}
    WindowDC& operator=(WindowDC&& other) noexcept {
        if (this != &other) {
            reset();
            m_hWnd = std::exchange(other.m_hWnd, nullptr);
            m_hDC = std::exchange(other.m_hDC, nullptr);
        }
        return *this;
    }
    ~WindowDC() { reset(); }

    void reset() noexcept {
        if (m_hDC)
            ::ReleaseDC(m_hWnd, m_hDC);
        m_hWnd = nullptr;
        m_hDC = nullptr;
    }
    HDC get() const noexcept { return m_hDC; }
    explicit operator bool() const noexcept { return m_hDC != nullptr; }

private:
    HWND m_hWnd = nullptr;
    HDC m_hDC = nullptr;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) noexcept : m_hWnd(hwnd) { m_hDC = ::BeginPaint(hwnd, &m_ps); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    HDC get() const noexcept { return m_hDC; }
    const PAINTSTRUCT& paint() const noexcept { return m_ps; }

private:
    HWND m_hWnd;
    HDC m_hDC;
    PAINTSTRUCT m_ps{};
};

// A global memory block locked for as long as the object lives; get() is
// null when the lock failed.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL memory) noexcept
        : m_hMemory(memory), m_pData(memory ? ::GlobalLock(memory) : nullptr) {}
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    ~GlobalLockScope() {
        if (m_pData)
            ::GlobalUnlock(m_hMemory);
    }
    template <class T = BYTE> T* get() const noexcept { return static_cast<T*>(m_pData); }
    SIZE_T size() const noexcept { return m_pData ? ::GlobalSize(m_hMemory) : 0; }

private:
    HGLOBAL m_hMemory;
    void* m_pData;
};

// Selects an object into a DC and selects the previous one back at scope end.
class SelectRestore {
public:
    SelectRestore(HDC dc, HGDIOBJ object) noexcept
        : m_hDC(dc), m_hOld(dc && object ? ::SelectObject(dc, object) : nullptr) {}
    SelectRestore(const SelectRestore&) = delete;
    SelectRestore& operator=(const SelectRestore&) = delete;
    ~SelectRestore() {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
    }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};
