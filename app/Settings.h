// The one set of persisted options, plus the frame's last placement. Field
// names are the registry value names.
#pragma once

#include "app/SettingsRules.h"
#include "framework/CString.h"

#include <windows.h>

#include <string>
#include <vector>

class Profile;

struct Settings {
    // Values of a first start, which "restore defaults" in the options shows
    // again (the output folder comes from GetDefaultOutputPath).
    static constexpr int kDefaultJpegQuality = 90;
    static constexpr COLORREF kDefaultColor = 0x00FF6464;
    static constexpr int kDefaultHotkey = 0x2C; // PrintScreen
    static constexpr const wchar_t* kDefaultFixedName = L"output";
    static constexpr int kDefaultDelaySeconds = 3;
    static constexpr int kDefaultRecordFps = 15;
    static constexpr int kDefaultRecordSeconds = 60;

    Settings();

    CString outputPath;
    ImageType type;
    bool useFixdName;
    CString fixdName;
    int jpegQuality;
    bool combiningCursor;
    COLORREF color;
    int frameWidth;
    int tabScaling;
    int hotkey;
    bool copyToClipboard; // every capture also goes to the clipboard
    int delaySeconds;     // the countdown of a shot with D held, 1..30
    int recordFormat;     // recordings: 0 GIF, 1 animated PNG
    int recordFps;        // recordings: frames per second, 1..30
    int recordSeconds;    // recordings: time limit in seconds, 1..600
    int x;
    int y;
    int cx;
    int cy;
    CString dataFolder; // never persisted

    // The name (in outputPath) of the file of a capture of an image type taken
    // at `now`: the fixed name or the time stamp, with the type's extension.
    // A fixed name with a '#' run takes the number after the highest among
    // folderNames, the names of the files in outputPath.
    CString OutputFileName(ImageType imageType, const SettingsRules::LocalTime& now,
                           const std::vector<std::u16string>& folderNames = {}) const;
    // Whether the name depends on the files in the output folder.
    bool NumbersCaptures() const;
    // Creates the output folder (and missing parents) when it does not exist.
    void EnsureOutputFolder() const;

    // Reads every option from the profile, keeping the current value of one
    // that is missing or out of range; x, y, cx and cy become INT_MIN when
    // nothing usable is stored.
    void Load(const Profile& profile);
    void Save(const Profile& profile) const;
    // Writes x, y, cx, cy in that order.
    void SavePlacement(const Profile& profile) const;
    // Deletes one file, then the data folder when it has become empty.
    void DeleteFileAndPruneDataFolder(const wchar_t* path) const;
};

// Registration modifiers (MOD_*) for a hot-key control value.
UINT HotkeyToModifiers(int hotkey);
using RegisterHotKeyFn = BOOL(WINAPI*)(HWND window, int id, UINT modifiers, UINT vk);
// Registers a hot-key control value for window, with the value as its id,
// through registerHotKey; holding the key down gives one WM_HOTKEY, not one
// per auto-repeat.
bool RegisterCaptureHotkey(HWND window, int hotkey, RegisterHotKeyFn registerHotKey = ::RegisterHotKey);

// The names of the files (not folders) in folder; empty when it cannot be read.
std::vector<std::u16string> ListFolderFiles(const wchar_t* folder);

// Whether a file search finds the path itself (a file or a folder).
bool PathExistsAsEntry(const wchar_t* path);
// Makes the folder (and those above it) with SHCreateDirectory when nothing
// of that name exists; 0 when a folder is there afterwards, else the system's
// error (ERROR_DIRECTORY when the name is a file's).
DWORD CreateFolderIfMissing(const wchar_t* path);
