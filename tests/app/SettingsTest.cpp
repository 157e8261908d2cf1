// Settings against the real registry of the test prefix, under a key of its
// own (HKCU\Software\Oskvane\Frimlet2Test) that each test starts without.
#include "app/CFrimlet2App.h"
#include "app/HotkeySystem.h"
#include "framework/CFileFind.h"
#include "tests/app/TestProfile.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

using namespace test_profile;

class SettingsTest : public ProfileFixture {
protected:
    void SetUp() override {
        ProfileFixture::SetUp();
        app.InitFolderDisplayNames();
    }

    void PutInt(const wchar_t* name, DWORD value) {
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kTestKey, name, REG_DWORD, &value, sizeof(value)),
                  ERROR_SUCCESS);
    }
    void PutString(const wchar_t* name, const wchar_t* value) {
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kTestKey, name, REG_SZ, value,
                                    static_cast<DWORD>((wcslen(value) + 1) * 2)),
                  ERROR_SUCCESS);
    }
    std::vector<BYTE> RawValue(const wchar_t* name, DWORD* type = nullptr) {
        DWORD size = 0, t = 0;
        if (::RegGetValueW(HKEY_CURRENT_USER, kTestKey, name, RRF_RT_ANY | RRF_NOEXPAND, &t, nullptr,
                           &size) != ERROR_SUCCESS)
            return {};
        std::vector<BYTE> data(size);
        ::RegGetValueW(HKEY_CURRENT_USER, kTestKey, name, RRF_RT_ANY | RRF_NOEXPAND, &t, data.data(), &size);
        data.resize(size);
        if (type)
            *type = t;
        return data;
    }
    CString Pictures() const { return CString(app.m_szPicturesPath); }
};

TEST_F(SettingsTest, DefaultsAreStoredAsTheyAreAndEveryRangeTakesThemBack) {
    const Settings defaults;
    defaults.Save(app);
    const std::vector<BYTE> folder = RawValue(L"outputPath");
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(folder.data())), L"%MYPICTURES%\\Frimlet2");

    // A record holding other values loads the stored defaults back: none of
    // them falls outside the range its value is read with.
    Settings s;
    s.type = ImageType::Png;
    s.jpegQuality = 10;
    s.color = 1;
    s.frameWidth = 5;
    s.tabScaling = 1;
    s.hotkey = 0x70;
    s.copyToClipboard = true;
    s.recordFormat = 1;
    s.recordFps = 3;
    s.recordSeconds = 5;
    s.Load(app);
    EXPECT_EQ(s.outputPath, Pictures() + L"\\Frimlet2");
    EXPECT_EQ(s.type, ImageType::Jpeg);
    EXPECT_EQ(s.jpegQuality, 90);
    EXPECT_EQ(s.color, 0x00FF6464u);
    EXPECT_EQ(s.frameWidth, 0);
    EXPECT_EQ(s.tabScaling, 0);
    EXPECT_EQ(s.hotkey, 0x2C);
    EXPECT_FALSE(s.copyToClipboard);
    EXPECT_EQ(s.recordFormat, 0);
    EXPECT_EQ(s.recordFps, 15);
    EXPECT_EQ(s.recordSeconds, 60);

    // The placement a first start uses, and the data folder beside the key.
    EXPECT_EQ(defaults.x, 0);
    EXPECT_EQ(defaults.cx, 400);
    EXPECT_EQ(defaults.cy, 300);
    EXPECT_TRUE(defaults.dataFolder.GetLength() > 17);
    EXPECT_EQ(defaults.dataFolder.Right(17), L"\\Oskvane\\Frimlet2");
}

TEST_F(SettingsTest, LoadWithNothingStoredExpandsTheOutputFolderAndCreatesIt) {
    ASSERT_FALSE(Pictures().IsEmpty());
    Settings s;
    s.x = 5;
    s.Load(app);
    EXPECT_EQ(s.outputPath, Pictures() + L"\\Frimlet2");
    EXPECT_TRUE(PathExistsAsEntry(s.outputPath));
    EXPECT_EQ(s.x, INT_MIN);
    EXPECT_EQ(s.y, INT_MIN);
    EXPECT_EQ(s.cx, INT_MIN);
    EXPECT_EQ(s.cy, INT_MIN);
    EXPECT_EQ(s.fixdName, L"output");
    EXPECT_EQ(s.jpegQuality, 90);
}

TEST_F(SettingsTest, LoadAppliesEveryRange) {
    PutInt(L"jpegQuality", 101);
    PutInt(L"color", 0xFFFFFFFF);
    PutInt(L"type", 4);
    PutInt(L"frameWidth", 7);
    PutInt(L"tabScaling", 801);
    PutInt(L"useFixdName", 5);
    PutInt(L"combiningCursor", static_cast<DWORD>(-3));
    PutInt(L"hotkey", 0x12345);
    PutInt(L"x", static_cast<DWORD>(-99999));
    PutInt(L"y", static_cast<DWORD>(-100000));
    PutInt(L"cx", 9);
    PutInt(L"cy", 10);
    PutString(L"fixdName", L"   ");
    Settings s;
    s.Load(app);
    EXPECT_EQ(s.jpegQuality, 90);
    EXPECT_EQ(s.color, 0x00FF6464u);
    EXPECT_EQ(s.type, ImageType::Jpeg);
    EXPECT_EQ(s.frameWidth, 7);
    EXPECT_EQ(s.tabScaling, 0);
    EXPECT_TRUE(s.useFixdName);
    EXPECT_FALSE(s.combiningCursor);
    EXPECT_EQ(s.hotkey, 0x12345);
    EXPECT_EQ(s.x, -99999);
    EXPECT_EQ(s.y, INT_MIN);
    EXPECT_EQ(s.cx, INT_MIN);
    EXPECT_EQ(s.cy, 10);
    EXPECT_EQ(s.fixdName, L"output");
}

// A stored fixed name that is no plain file name, or a countdown outside
// 1..30, is ignored; saving writes the values in use, never the stored ones.
TEST_F(SettingsTest, LoadIgnoresAFixedNameThatIsNoFileNameAndAnOutOfRangeDelay) {
    for (const wchar_t* bad : {L"..\\..\\escape", L"a:b", L"CON", L"x#y#"}) {
        PutString(L"fixdName", bad);
        PutInt(L"delaySeconds", 31);
        Settings s;
        s.fixdName = L"kept";
        s.Load(app);
        EXPECT_EQ(s.fixdName, L"kept") << bad;
        EXPECT_EQ(s.delaySeconds, 3) << bad;
        s.Save(app);
        Settings again;
        again.Load(app);
        EXPECT_EQ(again.fixdName, L"kept") << bad;
    }
    PutString(L"fixdName", L"manual_###");
    PutInt(L"delaySeconds", 30);
    Settings s;
    s.Load(app);
    EXPECT_EQ(s.fixdName, L"manual_###");
    EXPECT_EQ(s.delaySeconds, 30);
}

TEST_F(SettingsTest, CopyToClipboardIsADwordThatOnlyOneSwitchesOn) {
    Settings s;
    s.copyToClipboard = true;
    s.Save(app);
    DWORD type = 0;
    auto raw = RawValue(L"copyToClipboard", &type);
    ASSERT_EQ(raw.size(), sizeof(DWORD));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(*reinterpret_cast<const DWORD*>(raw.data()), 1u);
    Settings loaded;
    loaded.Load(app);
    EXPECT_TRUE(loaded.copyToClipboard);

    PutInt(L"copyToClipboard", 2);
    loaded.Load(app);
    EXPECT_FALSE(loaded.copyToClipboard);
}

TEST_F(SettingsTest, RecordingValuesAreDwordsAndOutOfRangeOnesAreIgnored) {
    Settings s;
    s.recordFormat = 1;
    s.recordFps = 30;
    s.recordSeconds = 600;
    s.Save(app);
    for (const wchar_t* name : {L"recordFormat", L"recordFps", L"recordSeconds"}) {
        DWORD type = 0;
        EXPECT_EQ(RawValue(name, &type).size(), sizeof(DWORD)) << name;
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << name;
    }
    Settings loaded;
    loaded.Load(app);
    EXPECT_EQ(loaded.recordFormat, 1);
    EXPECT_EQ(loaded.recordFps, 30);
    EXPECT_EQ(loaded.recordSeconds, 600);
    PutInt(L"recordFormat", 2);
    PutInt(L"recordFps", 0);
    PutInt(L"recordSeconds", 601);
    loaded.Load(app);
    EXPECT_EQ(loaded.recordFormat, 1);
    EXPECT_EQ(loaded.recordFps, 30);
    EXPECT_EQ(loaded.recordSeconds, 600);
}

TEST_F(SettingsTest, PathsAreStoredWithAMacroAndLoadedExpanded) {
    PutString(L"outputPath", L"%MYPICTURES%\\Frimlet2\\\\");
    Settings s;
    s.Load(app);
    EXPECT_EQ(s.outputPath, Pictures() + L"\\Frimlet2");

    s.outputPath = Pictures() + L"\\shots\\";
    s.fixdName = L" name with blanks ";
    s.Save(app);
    auto raw = RawValue(L"outputPath");
    EXPECT_EQ(CString(reinterpret_cast<const wchar_t*>(raw.data())), L"%MYPICTURES%\\shots");
    raw = RawValue(L"fixdName");
    EXPECT_EQ(CString(reinterpret_cast<const wchar_t*>(raw.data())), L" name with blanks ");
    Settings again;
    again.Load(app);
    EXPECT_EQ(again.fixdName, L"name with blanks");
    ::RemoveDirectoryW(Pictures() + L"\\shots");
}

TEST_F(SettingsTest, StringListBytesBothWays) {
    CArray<CString> list;
    list.Add(L"a");
    list.Add(L"");
    list.Add(L"b");
    ASSERT_TRUE(app.WriteStringList(&list));
    DWORD type = 0;
    auto raw = RawValue(L"SelectSizeList_v2", &type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(raw, (std::vector<BYTE>{'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}));

    CArray<CString> back;
    back.Add(L"kept");
    ASSERT_TRUE(app.ReadStringList(back));
    ASSERT_EQ(back.GetSize(), 3);
    EXPECT_EQ(back[0], L"kept");
    EXPECT_EQ(back[1], L"a");
    EXPECT_EQ(back[2], L"b");

    CArray<CString> none;
    ASSERT_TRUE(app.WriteStringList(&none));
    EXPECT_EQ(RawValue(L"SelectSizeList_v2").size(), 2u);
    CArray<CString> one;
    ASSERT_TRUE(app.ReadStringList(one));
    ASSERT_EQ(one.GetSize(), 1);
    EXPECT_TRUE(one[0].IsEmpty());

    EXPECT_TRUE(app.WriteStringList(nullptr));
    CArray<CString> missing;
    EXPECT_FALSE(app.ReadStringList(missing));
    EXPECT_EQ(missing.GetSize(), 0);
}

TEST_F(SettingsTest, StringListOfAnotherTypeIsNotRead) {
    PutString(L"SelectSizeList_v2", L"a");
    CArray<CString> list;
    EXPECT_FALSE(app.ReadStringList(list));
}

TEST_F(SettingsTest, PruningRemovesOnlyAnEmptyDataFolder) {
    Settings s;
    s.dataFolder = test_support::TemporaryPath(L"frimlet-prune").c_str();
    ::CreateDirectoryW(s.dataFolder, nullptr);
    CString a = s.dataFolder + L"\\a.txt", b = s.dataFolder + L"\\b.txt";
    for (const CString& f : {a, b}) {
        const unique_file made(::CreateFileW(f, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    s.DeleteFileAndPruneDataFolder(a);
    EXPECT_FALSE(PathExistsAsEntry(a));
    EXPECT_TRUE(PathExistsAsEntry(s.dataFolder));
    s.DeleteFileAndPruneDataFolder(b);
    EXPECT_FALSE(PathExistsAsEntry(s.dataFolder));
}

TEST_F(SettingsTest, FixedAndTimestampedNames) {
    Settings s;
    const SettingsRules::LocalTime t{2026, 12, 7, 21, 57, 9, 123};
    s.useFixdName = true;
    EXPECT_EQ(s.OutputFileName(ImageType::Png, t), L"output.png");
    s.useFixdName = false;
    EXPECT_EQ(s.OutputFileName(ImageType::Gif, t), L"2026y12m07d_215709123.gif");
}

// Values that another program or an old version stored with the wrong type or
// size read as if they were missing, and loading leaves them as they are.
TEST_F(SettingsTest, ValuesOfTheWrongTypeOrSizeLoadAsDefaultsAndStayUntilSaved) {
    struct Stored {
        const wchar_t* name;
        DWORD type;
        std::vector<BYTE> data;
    };
    const std::vector<BYTE> text95{'9', 0, '5', 0, 0, 0};
    const std::vector<Stored> cases{
        {L"jpegQuality", REG_SZ, text95},
        {L"jpegQuality", REG_QWORD, {95, 0, 0, 0, 0, 0, 0, 0}},
        {L"jpegQuality", REG_BINARY, {95, 0}},
        {L"jpegQuality", REG_BINARY, {95, 0, 0, 0, 0, 0, 0, 0}},
        {L"jpegQuality", REG_DWORD, {95, 0}},
        {L"jpegQuality", REG_DWORD, {95, 0, 0, 0, 0, 0, 0, 0}},
        {L"hotkey", REG_SZ, {'7', 0, 0, 0}},
        {L"color", REG_MULTI_SZ, {'1', 0, 0, 0, 0, 0}},
        {L"x", REG_QWORD, {10, 0, 0, 0, 0, 0, 0, 0}},
        {L"cx", REG_BINARY, {100, 0, 0}},
        {L"outputPath", REG_DWORD, {1, 0, 0, 0}},
        {L"outputPath", REG_MULTI_SZ, {'C', 0, ':', 0, 0, 0, 0, 0}},
        {L"fixdName", REG_BINARY, {'a', 0, 'b', 0}},
    };
    Settings defaults;
    defaults.Load(app);
    for (size_t i = 0; i < cases.size(); ++i) {
        const Stored& c = cases[i];
        SCOPED_TRACE(::testing::Message() << "case " << i);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kTestKey, c.name, c.type, c.data.data(),
                                    static_cast<DWORD>(c.data.size())),
                  ERROR_SUCCESS);
        Settings s;
        s.Load(app);
        EXPECT_EQ(s.outputPath, defaults.outputPath);
        EXPECT_EQ(s.fixdName, defaults.fixdName);
        EXPECT_EQ(s.jpegQuality, defaults.jpegQuality);
        EXPECT_EQ(s.hotkey, defaults.hotkey);
        EXPECT_EQ(s.color, defaults.color);
        EXPECT_EQ(s.x, INT_MIN);
        EXPECT_EQ(s.cx, INT_MIN);
        DWORD type = 0;
        EXPECT_EQ(RawValue(c.name, &type), c.data);
        EXPECT_EQ(type, c.type);
    }
    // Saving is what replaces the last one with a value of the right type.
    Settings s;
    s.Load(app);
    s.Save(app);
    DWORD type = 0;
    EXPECT_EQ(CString(reinterpret_cast<const wchar_t*>(RawValue(L"fixdName", &type).data())), L"output");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST_F(SettingsTest, StringListWithoutTerminatorsReadsEveryString) {
    for (const std::vector<BYTE>& data :
         {std::vector<BYTE>{'a', 0, 0, 0, 'b', 0}, std::vector<BYTE>{'a', 0, 'b', 0, 0, 0, 'c', 0}}) {
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kTestKey, L"SelectSizeList_v2", REG_MULTI_SZ,
                                    data.data(), static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
        CArray<CString> list;
        ASSERT_TRUE(app.ReadStringList(list));
        ASSERT_EQ(list.GetSize(), 2);
        EXPECT_EQ(list[0], data[2] ? L"ab" : L"a");
        EXPECT_EQ(list[1], data[2] ? L"c" : L"b");
    }
}

// Wine repeats WM_HOTKEY for a held key whatever the flags, so the flags are
// checked where they are handed to the system.
struct RegisteredHotkey {
    static inline UINT modifiers = 0;
    static inline UINT vk = 0;
    static BOOL WINAPI Record(HWND, int, UINT mods, UINT key) {
        modifiers = mods;
        vk = key;
        return TRUE;
    }
};

TEST(CaptureHotkeyTest, EveryRegistrationAsksForOneHotkeyPerPress) {
    HotkeySystem system;
    system.registerHotKey = RegisteredHotkey::Record;
    ASSERT_TRUE(system.Register(nullptr, 0x0174)); // Shift+F5
    EXPECT_EQ(RegisteredHotkey::modifiers, static_cast<UINT>(MOD_SHIFT | MOD_NOREPEAT));
    EXPECT_EQ(RegisteredHotkey::vk, static_cast<UINT>(VK_F5));
    ASSERT_TRUE(system.Register(nullptr, 0x2C));
    EXPECT_EQ(RegisteredHotkey::modifiers, static_cast<UINT>(MOD_NOREPEAT));
}

} // namespace
