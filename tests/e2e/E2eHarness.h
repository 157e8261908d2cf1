#pragma once

#include "framework/Handles.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScratchFolder.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Drives the real Frimlet2.exe as a user would: its registry settings, its
// process and frame window, keyboard and mouse input, a window with a known
// pattern to capture, and the files it writes.
class E2eHarness {
public:
    struct Image {
        int width = 0;
        int height = 0;
        std::vector<uint32_t> pixels; // 0xAARRGGBB rows, top-down
    };

    E2eHarness();
    ~E2eHarness();
    E2eHarness(const E2eHarness&) = delete;
    E2eHarness& operator=(const E2eHarness&) = delete;

    // Registry of the program (HKCU\Software\Oskvane\Frimlet2).
    static bool ResetSettings();
    static bool SetString(const wchar_t* name, const std::wstring& value);
    static bool SetDword(const wchar_t* name, DWORD value);
    static bool DeleteValue(const wchar_t* name);
    static bool ReadDword(const wchar_t* name, DWORD& value);
    // Empty settings but for the output folder, which is Folder().
    bool ResetSettingsIntoFolder() const;
    // The stored placement of the frame: x, y, cx and cy.
    static bool StorePlacement(int x, int y, int cx, int cy);

    // The program the harness starts: the one of this build, or the one the
    // environment variable FRIMLET_EXE names (an installed copy).
    static std::wstring ExePath();
    // Starts Frimlet2.exe and waits for its frame; false when it does not show.
    bool Start();
    // Starts Frimlet2.exe and returns its process handle; Start keeps the one
    // it starts, another instance started this way is not tracked.
    static unique_kernel_handle StartExtraInstance(const std::wstring& arguments = std::wstring());
    // Closes the frame with SC_CLOSE and waits for the process; terminates it
    // and reports a test failure when it does not end.
    bool Stop();
    bool WaitForExit(DWORD timeoutMs);
    HWND Frame() const { return m_frame; }
    HANDLE Process() const { return m_process.get(); }

    // Input through SendInput.
    static void PressKey(WORD vk);
    static void PressKeyHolding(WORD vk, const std::vector<WORD>& held);
    static void Drag(POINT from, POINT to);
    // Opens the popup menu from the grip icon with a right click and picks
    // fit mode, its seventh item, with the keyboard.
    void ChooseFitModeFromMenu() const;

    // A topmost popup painting Pattern(x, y) of screen coordinates over rect.
    bool ShowPattern(const RECT& rect);
    static uint32_t Pattern(int x, int y);
    // Pattern over a rectangle of the screen.
    static Image PatternImage(const RECT& screen);
    // Where the hole starts in the frame window at 96 dpi: the dialog frame,
    // the padded border and a border of borderWidth.
    static POINT HoleOffset(int borderWidth);
    // The hole on the screen for a stored placement, with the default border
    // of 4 pixels at 96 dpi.
    static RECT HoleFor(int x, int y, int cx, int cy);

    // Temporary output folder, unique per harness.
    const std::wstring& Folder() const { return m_folder.Path(); }
    std::vector<std::wstring> FilesInFolder() const;
    // Waits for a file that was not in before; empty on time-out.
    std::wstring WaitForNewFile(const std::vector<std::wstring>& before, DWORD timeoutMs) const;
    // Waits for a new image file (JPEG, BMP, GIF or PNG): the encoder writes
    // a temporary file first and gives it its name when it is complete, so
    // the image is returned as soon as it shows.
    std::wstring WaitForNewImage(const std::vector<std::wstring>& before, DWORD timeoutMs) const;
    // Presses PrintScreen holding the given keys and waits for the image.
    std::wstring ShootWithPrintScreen(const std::vector<WORD>& held = {}) const;
    static bool HasExtension(const std::wstring& path, const wchar_t* extension);
    static bool Decode(const std::wstring& path, Image& image);

    // Processes this thread's messages for ms milliseconds.
    static void Pump(DWORD ms) { test_support::PumpMessages(ms, 10); }

private:
    static LRESULT CALLBACK PatternProc(HWND, UINT, WPARAM, LPARAM);
    unique_kernel_handle m_process;
    DWORD m_pid = 0;
    HWND m_frame = nullptr;
    HWND m_pattern = nullptr;
    test_support::ScratchFolder m_folder{L"frimlet-e2e-"};
    bool m_comInitialized = false;
};
