#include "app/Settings.h"

#include "app/OutputNameRules.h"
#include "app/Profile.h"
#include "app/SettingsRules.h"
#include "framework/CFileFind.h"

#include <shlobj.h>

UINT HotkeyToModifiers(int hotkey) {
    return SettingsRules::HotkeyToModifiers(hotkey);
}

bool RegisterCaptureHotkey(HWND window, int hotkey, RegisterHotKeyFn registerHotKey) {
    // A held key auto-repeats; without MOD_NOREPEAT every repeat would be one
    // more capture written.
    return registerHotKey(window, hotkey, HotkeyToModifiers(hotkey) | MOD_NOREPEAT,
                          static_cast<UINT>(hotkey & 0xFF));
}

bool PathExistsAsEntry(const wchar_t* path) {
    CFileFind finder;
    return finder.FindFile(path);
}

DWORD CreateFolderIfMissing(const wchar_t* path) {
    if (PathExistsAsEntry(path)) {
        const DWORD attributes = ::GetFileAttributesW(path);
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)
                   ? ERROR_DIRECTORY
                   : ERROR_SUCCESS;
    }
    const int error = ::SHCreateDirectory(nullptr, path);
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? ERROR_SUCCESS
                                                                       : static_cast<DWORD>(error);
}

Settings::Settings()
    : outputPath(L"%MYPICTURES%\\Frimlet2"), type(ImageType::Jpeg), useFixdName(false),
      fixdName(kDefaultFixedName), jpegQuality(kDefaultJpegQuality), combiningCursor(false),
      color(kDefaultColor), frameWidth(0), tabScaling(0), hotkey(kDefaultHotkey), copyToClipboard(false),
      delaySeconds(kDefaultDelaySeconds), recordFormat(0), recordFps(kDefaultRecordFps),
      recordSeconds(kDefaultRecordSeconds), x(0), y(0), cx(400), cy(300) {
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        appData[0] = 0;
    dataFolder.Format(L"%s\\%s", appData, L"Oskvane\\Frimlet2");
}

CString Settings::OutputFileName(ImageType imageType, const SettingsRules::LocalTime& now,
                                 const std::vector<std::u16string>& folderNames) const {
    if (NumbersCaptures())
        return FromU16(OutputNameRules::NextNumberedName(AsU16(fixdName), folderNames,
                                                         SettingsRules::ExtensionOf(imageType)));
    if (useFixdName)
        return FromU16(SettingsRules::FixedFileName(AsU16(fixdName), imageType));
    return FromU16(SettingsRules::TimestampedFileName(now, imageType));
}

bool Settings::NumbersCaptures() const {
    return useFixdName && OutputNameRules::HasNumberRun(AsU16(fixdName));
}

std::vector<std::u16string> ListFolderFiles(const wchar_t* folder) {
    std::vector<std::u16string> names;
    CFileFind finder;
    bool more = finder.FindFile(CString(folder) + L"\\*");
    while (more) {
        more = finder.FindNextFile();
        if (!finder.IsDirectory())
            names.push_back(ToU16(finder.GetFileName()));
    }
    return names;
}

void Settings::EnsureOutputFolder() const {
    CreateFolderIfMissing(outputPath);
}

void Settings::Load(const Profile& profile) {
    using namespace SettingsRules;
    outputPath = profile.ReadPathSetting(L"outputPath", outputPath);
    EnsureOutputFolder();
    type = ImageTypeFromInt(profile.ReadInt(L"type", ToInt(type))).value_or(type);
    useFixdName = AsFlag(profile.ReadInt(L"useFixdName", useFixdName ? 1 : 0));
    // A stored name that is no plain file name would write outside the folder
    // or fail at every capture: it is ignored.
    const CString storedName = profile.ReadStringSetting(L"fixdName", fixdName);
    if (OutputNameRules::CheckFixedName(AsU16(storedName), static_cast<size_t>(outputPath.GetLength())) ==
        OutputNameRules::NameProblem::Ok)
        fixdName = storedName;
    jpegQuality = AcceptJpegQuality(profile.ReadInt(L"jpegQuality", jpegQuality), jpegQuality);
    combiningCursor = AsFlag(profile.ReadInt(L"combiningCursor", combiningCursor ? 1 : 0));
    color = static_cast<COLORREF>(
        AcceptColor(profile.ReadInt(L"color", static_cast<int>(color)), static_cast<int>(color)));
    frameWidth = AcceptFrameWidth(profile.ReadInt(L"frameWidth", frameWidth), frameWidth);
    tabScaling = AcceptTabScaling(profile.ReadInt(L"tabScaling", tabScaling), tabScaling);
    hotkey = profile.ReadInt(L"hotkey", hotkey);
    copyToClipboard = AcceptOnOff(profile.ReadInt(L"copyToClipboard", copyToClipboard ? 1 : 0));
    delaySeconds = AcceptDelaySeconds(profile.ReadInt(L"delaySeconds", delaySeconds), delaySeconds);
    recordFormat = AcceptRecordFormat(profile.ReadInt(L"recordFormat", recordFormat), recordFormat);
    recordFps = AcceptRecordFps(profile.ReadInt(L"recordFps", recordFps), recordFps);
    recordSeconds = AcceptRecordSeconds(profile.ReadInt(L"recordSeconds", recordSeconds), recordSeconds);
    x = AcceptPosition(profile.ReadInt(L"x", kNotStored));
    y = AcceptPosition(profile.ReadInt(L"y", kNotStored));
    cx = AcceptExtent(profile.ReadInt(L"cx", kNotStored));
    cy = AcceptExtent(profile.ReadInt(L"cy", kNotStored));
}

void Settings::Save(const Profile& profile) const {
    profile.WritePathSetting(L"outputPath", outputPath);
    profile.WriteInt(L"useFixdName", useFixdName ? 1 : 0);
    profile.WriteString(L"fixdName", fixdName);
    profile.WriteInt(L"type", ToInt(type));
    profile.WriteInt(L"jpegQuality", jpegQuality);
    profile.WriteInt(L"combiningCursor", combiningCursor ? 1 : 0);
    profile.WriteInt(L"color", static_cast<int>(color));
    profile.WriteInt(L"frameWidth", frameWidth);
    profile.WriteInt(L"tabScaling", tabScaling);
    profile.WriteInt(L"hotkey", hotkey);
    profile.WriteInt(L"copyToClipboard", copyToClipboard ? 1 : 0);
    profile.WriteInt(L"delaySeconds", delaySeconds);
    profile.WriteInt(L"recordFormat", recordFormat);
    profile.WriteInt(L"recordFps", recordFps);
    profile.WriteInt(L"recordSeconds", recordSeconds);
}

void Settings::SavePlacement(const Profile& profile) const {
    profile.WriteInt(L"x", x);
    profile.WriteInt(L"y", y);
    profile.WriteInt(L"cx", cx);
    profile.WriteInt(L"cy", cy);
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
