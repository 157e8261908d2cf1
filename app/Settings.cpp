#include "app/Settings.h"

#include "app/CProfileSupportWinApp.h"
#include "app/SettingsRules.h"
#include "framework/CFileFind.h"

#include <shlobj.h>

namespace {
CProfileSupportWinApp* App() {
    return GetProfileApp();
}

int ReadInt(const wchar_t* name, int defaultValue) {
    CProfileSupportWinApp* app = App();
    return app ? static_cast<int>(app->GetProfileInt(L"", name, defaultValue)) : defaultValue;
}

void WriteInt(const wchar_t* name, int value) {
    if (CProfileSupportWinApp* app = App())
        app->WriteProfileInt(L"", name, value);
}
} // namespace

UINT HotkeyToModifiers(int hotkey) {
    return SettingsRules::HotkeyToModifiers(hotkey);
}

BOOL RegisterCaptureHotkey(HWND window, int hotkey, RegisterHotKeyFn registerHotKey) {
    // A held key auto-repeats; without MOD_NOREPEAT every repeat would be one
    // more capture written.
    return registerHotKey(window, hotkey, HotkeyToModifiers(hotkey) | MOD_NOREPEAT,
                          static_cast<UINT>(hotkey & 0xFF));
}

bool PathExistsAsEntry(const wchar_t* path) {
    CFileFind finder;
    return finder.FindFile(path);
}

void CreateFolderIfMissing(const wchar_t* path) {
    if (!PathExistsAsEntry(path))
        ::SHCreateDirectory(nullptr, path);
}

Settings::Settings()
    : outputPath(L"%MYPICTURES%\\Frimlet2"), type(ImageType::Jpeg), useFixdName(false),
      fixdName(kDefaultFixedName), jpegQuality(kDefaultJpegQuality), combiningCursor(false),
      color(kDefaultColor), frameWidth(0), tabScaling(0), hotkey(kDefaultHotkey), copyToClipboard(false),
      x(0), y(0), cx(400), cy(300) {
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        appData[0] = 0;
    dataFolder.Format(L"%s\\%s", appData, L"Oskvane\\Frimlet2");
}

CString Settings::OutputFileName(ImageType imageType, const SettingsRules::LocalTime& now) const {
    if (useFixdName)
        return FromU16(SettingsRules::FixedFileName(AsU16(fixdName), imageType));
    return FromU16(SettingsRules::TimestampedFileName(now, imageType));
}

void Settings::EnsureOutputFolder() const {
    CreateFolderIfMissing(outputPath);
}

void Settings::Load() {
    using namespace SettingsRules;
    CProfileSupportWinApp* app = App();
    if (app)
        outputPath = app->ReadPathSetting(L"outputPath", outputPath);
    else
        outputPath = CString();
    EnsureOutputFolder();
    type = ImageTypeFromInt(ReadInt(L"type", ToInt(type))).value_or(type);
    useFixdName = AsFlag(ReadInt(L"useFixdName", useFixdName ? 1 : 0));
    if (app)
        fixdName = app->ReadStringSetting(L"fixdName", fixdName);
    jpegQuality = AcceptJpegQuality(ReadInt(L"jpegQuality", jpegQuality), jpegQuality);
    combiningCursor = AsFlag(ReadInt(L"combiningCursor", combiningCursor ? 1 : 0));
    color = static_cast<COLORREF>(
        AcceptColor(ReadInt(L"color", static_cast<int>(color)), static_cast<int>(color)));
    frameWidth = AcceptFrameWidth(ReadInt(L"frameWidth", frameWidth), frameWidth);
    tabScaling = AcceptTabScaling(ReadInt(L"tabScaling", tabScaling), tabScaling);
    hotkey = ReadInt(L"hotkey", hotkey);
    copyToClipboard = AcceptOnOff(ReadInt(L"copyToClipboard", copyToClipboard ? 1 : 0));
    x = AcceptPosition(ReadInt(L"x", kNotStored));
    y = AcceptPosition(ReadInt(L"y", kNotStored));
    cx = AcceptExtent(ReadInt(L"cx", kNotStored));
    cy = AcceptExtent(ReadInt(L"cy", kNotStored));
}

void Settings::Save() const {
    CProfileSupportWinApp* app = App();
    if (!app)
        return;
    app->WritePathSetting(L"outputPath", outputPath);
    WriteInt(L"useFixdName", useFixdName ? 1 : 0);
    app->WriteProfileString(L"", L"fixdName", fixdName);
    WriteInt(L"type", ToInt(type));
    WriteInt(L"jpegQuality", jpegQuality);
    WriteInt(L"combiningCursor", combiningCursor ? 1 : 0);
    WriteInt(L"color", static_cast<int>(color));
    WriteInt(L"frameWidth", frameWidth);
    WriteInt(L"tabScaling", tabScaling);
    WriteInt(L"hotkey", hotkey);
    WriteInt(L"copyToClipboard", copyToClipboard ? 1 : 0);
}

void Settings::SavePlacement() const {
    WriteInt(L"x", x);
    WriteInt(L"y", y);
    WriteInt(L"cx", cx);
    WriteInt(L"cy", cy);
}

void Settings::DeleteFileAndPruneDataFolder(const wchar_t* path) const {
    ::DeleteFileW(path);
    CFileFind finder;
    bool more = finder.FindFile(dataFolder + L"\\*");
    while (more) {
        more = finder.FindNextFile();
        if (!finder.IsDots())
            return; // something else is still in the folder
    }
    finder.Close();
    ::RemoveDirectoryW(dataFolder);
}
