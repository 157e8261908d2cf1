// The options dialog run modally on a test frame window, under a registry key
// of its own (HKCU\Software\Oskvane\Frimlet2Test) that each test starts and
// ends without. Each test drives the open dialog from a message posted to it
// once it has initialised, as a user would: clicks, typed values, OK.
#include "app/CFrimlet2App.h"
#include "framework/ComPtr.h"
#include "options/COptionsDlg.h"
#include "options/OptionsRules.h"
#include "res/resource.h"
#include "tests/app/FakeHotkeySystem.h"
#include "tests/app/TestProfile.h"
#include "tests/support/WindowFinder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace test_profile;
// Hotkeys nobody else uses: Shift+Ctrl+Alt with F10 or F11.
constexpr int kHotkeyF10 = 0x0779;
constexpr int kHotkeyF11 = 0x077A;
constexpr UINT kRunScript = WM_APP + 40;

class ScriptedOptionsDlg : public COptionsDlg {
public:
    using COptionsDlg::COptionsDlg;
    std::function<void(ScriptedOptionsDlg&)> script;
    // The help page looked for instead of the one beside the test program.
    CString helpPage;
    // The pages the support link opened; nothing is shown.
    std::vector<std::wstring> opened;

    CString HelpPagePath() const override {
        return helpPage.IsEmpty() ? COptionsDlg::HelpPagePath() : helpPage;
    }
    void OpenHelpPage(const CString& path) override { opened.push_back(path.str()); }

    BOOL OnInitDialog() override {
        BOOL focus = COptionsDlg::OnInitDialog();
        PostMessage(kRunScript);
        return focus;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != kRunScript)
            return COptionsDlg::WindowProc(message, wParam, lParam);
        if (script)
            script(*this);
        // A dialog the script left open is cancelled, so that no test hangs.
        PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    }
};

// Closes the next dialog box (message box, folder browser) that the options
// dialog opens, remembering the texts it showed.
struct OwnedDialogCloser {
    static inline HWND owner = nullptr;
    static inline std::vector<std::wstring> texts;
    static inline int closed = 0;

    static void Arm(HWND ownerWindow) {
        owner = ownerWindow;
        texts.clear();
        closed = 0;
        ::SetTimer(nullptr, 0, 150, OnTimer);
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        HWND box = test_support::FindTopLevel(
            {.className = L"#32770", .threadId = ::GetCurrentThreadId(), .owner = owner, .except = owner});
        if (!box)
            return;
        ::KillTimer(nullptr, id);
        texts = test_support::ChildTexts(box);
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ++closed;
    }
};

std::wstring ReadString(const wchar_t* name) {
    return ReadTestString(name, L"<missing>");
}

bool Checked(const CWnd& dlg, int id) {
    return dlg.IsDlgButtonChecked(id) == BST_CHECKED;
}
int Selection(const CWnd& dlg, int id) {
    return static_cast<int>(::SendDlgItemMessageW(dlg.m_hWnd, id, CB_GETCURSEL, 0, 0));
}
std::wstring Text(const CWnd& dlg, int id) {
    return dlg.GetDlgItemText(id).str();
}
void Click(const CWnd& dlg, int id) {
    ::SendMessageW(dlg.GetDlgItem(id), BM_CLICK, 0, 0);
}
int HotKeyOf(const CWnd& dlg) {
    return static_cast<int>(::SendDlgItemMessageW(dlg.m_hWnd, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
}
CRGBStatic& Swatch(const CWnd& dlg) {
    return *dynamic_cast<CRGBStatic*>(CWnd::FromHandlePermanent(dlg.GetDlgItem(IDC_FRAME_COLOR)));
}

class OptionsDialogTest : public ProfileFixture {
protected:
    void SetUp() override {
        ProfileFixture::SetUp();
        app.InitFolderDisplayNames();
        ASSERT_TRUE(
            frame.CreateEx(0, L"STATIC", L"OptionsTestFrame", WS_POPUP, RECT{0, 0, 40, 40}, nullptr, 0));
        settings.outputPath = Pictures() + L"\\Frimlet2";
    }
    void TearDown() override {
        frame.DestroyWindow();
        ProfileFixture::TearDown();
    }
    INT_PTR Run(std::function<void(ScriptedOptionsDlg&)> script, const CString& helpPage = CString()) {
        ScriptedOptionsDlg dlg(settings, app, &frame);
        dlg.script = std::move(script);
        dlg.helpPage = helpPage;
        return dlg.DoModal();
    }
    CString Pictures() const { return CString(app.m_szPicturesPath); }

    ComApartment com{ComApartment::Ole};
    CWnd frame;
    Settings settings;
};

TEST_F(OptionsDialogTest, OpensWithTheStoredValues) {
    ASSERT_FALSE(app.m_strPicturesDisplayName.IsEmpty());
    settings.type = ImageType::Gif;
    settings.jpegQuality = 75;
    settings.hotkey = 0x0174; // Shift+F5
    settings.combiningCursor = true;
    settings.color = 0x00123456;
    settings.frameWidth = 10;
    settings.tabScaling = 150;
    settings.outputPath = Pictures() + L"\\shots";
    settings.useFixdName = true;
    settings.fixdName = L"cap";
    settings.copyToClipboard = true;
    INT_PTR result = Run([&](ScriptedOptionsDlg& dlg) {
        EXPECT_FALSE(Checked(dlg, IDC_TYPE_JPEG));
        EXPECT_TRUE(Checked(dlg, IDC_TYPE_GIF));
        HWND slider = dlg.GetDlgItem(IDC_JPEG_QUALITY);
        EXPECT_EQ(::SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), 50);
        EXPECT_EQ(::SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), 100);
        EXPECT_EQ(::SendMessageW(slider, TBM_GETPOS, 0, 0), 75);
        EXPECT_EQ(Text(dlg, IDC_JPEG_QUALITY_VALUE), L"75");
        EXPECT_TRUE(Checked(dlg, IDC_HOTKEY_CUSTOM));
        EXPECT_FALSE(Checked(dlg, IDC_HOTKEY_PRINTSCREEN));
        EXPECT_TRUE(::IsWindowEnabled(dlg.GetDlgItem(IDC_HOTKEY)));
        EXPECT_EQ(HotKeyOf(dlg), 0x0174);
        EXPECT_TRUE(Checked(dlg, IDC_COMBINE_CURSOR));
        EXPECT_EQ(Swatch(dlg).m_crColor, 0x00123456u);
        EXPECT_EQ(Swatch(dlg).m_nCursorId, IDCUR_COLOR_SWATCH);
        EXPECT_EQ(Swatch(dlg).m_crDefault, 0x00FF6464u);
        EXPECT_EQ(Selection(dlg, IDC_FRAME_WIDTH), 7);
        EXPECT_EQ(Selection(dlg, IDC_TAB_SIZE), 3);
        EXPECT_EQ(Text(dlg, IDC_OUTPUT_FOLDER), (app.m_strPicturesDisplayName + L"\\shots").str());
        EXPECT_TRUE(Checked(dlg, IDC_USE_FIXED_NAME));
        EXPECT_EQ(Text(dlg, IDC_FIXED_NAME), L"cap");
        EXPECT_TRUE(Checked(dlg, IDC_COPY_TO_CLIPBOARD));

        // The scale picture sits under the thumb's travel.
        RECT track{}, channel{}, thumb{}, scale{};
        ::GetWindowRect(slider, &track);
        ::MapWindowPoints(nullptr, dlg.m_hWnd, reinterpret_cast<POINT*>(&track), 2);
        ::SendMessageW(slider, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        ::SendMessageW(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        ::GetWindowRect(dlg.GetDlgItem(IDC_JPEG_QUALITY_SCALE), &scale);
        ::MapWindowPoints(nullptr, dlg.m_hWnd, reinterpret_cast<POINT*>(&scale), 2);
        geometry::Rect expected =
            OptionsRules::QualityScaleRect({track.left, track.top, track.right, track.bottom},
                                           {channel.left, channel.top, channel.right, channel.bottom},
                                           {thumb.left, thumb.top, thumb.right, thumb.bottom});
        EXPECT_EQ((geometry::Rect{scale.left, scale.top, scale.right, scale.bottom}), expected);
        EXPECT_GE(scale.top, track.bottom);

        // Bold captions, two points larger than the dialog font, spaced 0, 0, 2, 2.
        LOGFONTW dialogFont{}, bold{};
        ::GetObjectW(dlg.GetFont(), sizeof(dialogFont), &dialogFont);
        const wchar_t* captions[4] = {L"JPEG", L"Bitmap", L"GIF", L"PNG"};
        const int spacing[4] = {0, 0, 2, 2};
        for (int i = 0; i < 4; ++i) {
            auto* button = dynamic_cast<CTransparentBitmapButton*>(
                CWnd::FromHandlePermanent(dlg.GetDlgItem(IDC_TYPE_JPEG + i)));
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->m_strCaption, captions[i]);
            EXPECT_EQ(button->m_nCaptionCharExtra, spacing[i]);
            ASSERT_NE(button->m_pCaptionFont, nullptr);
            ASSERT_TRUE(button->m_pCaptionFont->GetLogFont(&bold));
            EXPECT_EQ(bold.lfWeight, FW_BOLD);
            EXPECT_EQ(bold.lfHeight, dialogFont.lfHeight - 2);
        }
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ReadTestDword(L"type"), 0xDEADBEEFu); // nothing stored
}

TEST_F(OptionsDialogTest, ValuesTheListsDoNotOfferAreStoredAsAutomatic) {
    settings.frameWidth = 7;
    settings.tabScaling = 90;
    INT_PTR result = Run([&](ScriptedOptionsDlg& dlg) {
        EXPECT_EQ(Selection(dlg, IDC_FRAME_WIDTH), 0);   // "（自動）"
        EXPECT_EQ(Selection(dlg, IDC_TAB_SIZE), CB_ERR); // no selection
        Click(dlg, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(settings.frameWidth, 0);
    EXPECT_EQ(settings.tabScaling, 0);
    EXPECT_EQ(ReadTestDword(L"frameWidth"), 0u);
    EXPECT_EQ(ReadTestDword(L"tabScaling"), 0u);

    settings.tabScaling = 50;
    result = Run([&](ScriptedOptionsDlg& dlg) {
        EXPECT_EQ(Selection(dlg, IDC_TAB_SIZE), 0);
        // Choosing offered values stores their numbers.
        ::SendDlgItemMessageW(dlg.m_hWnd, IDC_FRAME_WIDTH, CB_SETCURSEL, 14, 0); // "48"
        ::SendDlgItemMessageW(dlg.m_hWnd, IDC_TAB_SIZE, CB_SETCURSEL, 3, 0);     // "150％"
        Click(dlg, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ReadTestDword(L"frameWidth"), 48u);
    EXPECT_EQ(ReadTestDword(L"tabScaling"), 150u);
}

TEST_F(OptionsDialogTest, ConfirmStoresEveryField) {
    INT_PTR result = Run([&](ScriptedOptionsDlg& dlg) {
        Click(dlg, IDC_TYPE_PNG);
        HWND slider = dlg.GetDlgItem(IDC_JPEG_QUALITY);
        ::SendMessageW(slider, TBM_SETPOS, TRUE, 50);
        ::SendMessageW(dlg.m_hWnd, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 50),
                       reinterpret_cast<LPARAM>(slider));
        EXPECT_EQ(Text(dlg, IDC_JPEG_QUALITY_VALUE), L"50");
        Click(dlg, IDC_COMBINE_CURSOR);
        Swatch(dlg).m_crColor = 0x00336699;
        Click(dlg, IDC_USE_FIXED_NAME);
        dlg.SetDlgItemText(IDC_FIXED_NAME, L" shot 1"); // kept untrimmed
        ::SetDlgItemInt(dlg.m_hWnd, IDC_DELAY_SECONDS, 12, FALSE);
        EXPECT_FALSE(Checked(dlg, IDC_COPY_TO_CLIPBOARD));
        Click(dlg, IDC_COPY_TO_CLIPBOARD);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(settings.type, ImageType::Png);
    EXPECT_EQ(ReadTestDword(L"type"), 3u);
    EXPECT_EQ(ReadTestDword(L"jpegQuality"), 50u);
    EXPECT_EQ(ReadTestDword(L"combiningCursor"), 1u);
    EXPECT_EQ(ReadTestDword(L"color"), 0x00336699u);
    EXPECT_EQ(ReadTestDword(L"useFixdName"), 1u);
    EXPECT_EQ(ReadString(L"fixdName"), L" shot 1");
    EXPECT_EQ(ReadTestDword(L"delaySeconds"), 12u);
    EXPECT_TRUE(settings.copyToClipboard);
    EXPECT_EQ(ReadTestDword(L"copyToClipboard"), 1u);
    EXPECT_EQ(ReadTestDword(L"hotkey"), 0x2Cu);
    EXPECT_EQ(ReadString(L"outputPath"), L"%MYPICTURES%\\Frimlet2");
}

TEST_F(OptionsDialogTest, RestoreDefaultsThenCancelChangesNothing) {
    settings.type = ImageType::Bmp;
    settings.jpegQuality = 60;
    settings.hotkey = kHotkeyF11;
    settings.combiningCursor = true;
    settings.color = 0x00010203;
    settings.frameWidth = 4;
    settings.tabScaling = 200;
    settings.outputPath = L"C:\\elsewhere";
    settings.useFixdName = true;
    settings.fixdName = L"same";
    settings.copyToClipboard = true;
    const Settings before = settings;
    INT_PTR result = Run([&](ScriptedOptionsDlg& dlg) {
        Click(dlg, IDC_RESTORE_DEFAULTS);
        EXPECT_TRUE(Checked(dlg, IDC_TYPE_JPEG));
        EXPECT_FALSE(Checked(dlg, IDC_TYPE_BMP));
        EXPECT_EQ(::SendDlgItemMessageW(dlg.m_hWnd, IDC_JPEG_QUALITY, TBM_GETPOS, 0, 0), 90);
        EXPECT_EQ(Text(dlg, IDC_JPEG_QUALITY_VALUE), L"90");
        EXPECT_TRUE(Checked(dlg, IDC_HOTKEY_PRINTSCREEN));
        EXPECT_FALSE(::IsWindowEnabled(dlg.GetDlgItem(IDC_HOTKEY)));
        EXPECT_FALSE(Checked(dlg, IDC_COMBINE_CURSOR));
        EXPECT_EQ(Swatch(dlg).m_crColor, 0x00FF6464u);
        EXPECT_EQ(Selection(dlg, IDC_FRAME_WIDTH), 0);
        EXPECT_EQ(Selection(dlg, IDC_TAB_SIZE), 0);
        EXPECT_EQ(Text(dlg, IDC_OUTPUT_FOLDER), (app.m_strPicturesDisplayName + L"\\Frimlet2").str());
        EXPECT_FALSE(Checked(dlg, IDC_USE_FIXED_NAME));
        EXPECT_EQ(Text(dlg, IDC_FIXED_NAME), L"output");
        EXPECT_FALSE(Checked(dlg, IDC_COPY_TO_CLIPBOARD));
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(settings.type, before.type);
    EXPECT_EQ(settings.jpegQuality, before.jpegQuality);
    EXPECT_EQ(settings.hotkey, before.hotkey);
    EXPECT_EQ(settings.combiningCursor, before.combiningCursor);
    EXPECT_EQ(settings.color, before.color);
    EXPECT_EQ(settings.frameWidth, before.frameWidth);
    EXPECT_EQ(settings.tabScaling, before.tabScaling);
    EXPECT_EQ(settings.outputPath, before.outputPath);
    EXPECT_EQ(settings.useFixdName, before.useFixdName);
    EXPECT_EQ(settings.fixdName, before.fixdName);
    EXPECT_EQ(settings.copyToClipboard, before.copyToClipboard);
    EXPECT_EQ(ReadTestDword(L"type"), 0xDEADBEEFu);
    EXPECT_EQ(ReadString(L"outputPath"), L"<missing>");
}

TEST_F(OptionsDialogTest, OutputFolderTypedInDisplayFormIsStoredWithItsMacro) {
    ASSERT_FALSE(app.m_strPicturesDisplayName.IsEmpty());
    CString leaf;
    leaf.Format(L"FrimletShots%lu", ::GetCurrentProcessId());
    const CString real = Pictures() + L"\\" + leaf;
    ::RemoveDirectoryW(real);
    // Typed with a trailing backslash: the record keeps it, the registry not.
    INT_PTR result = Run([&](ScriptedOptionsDlg& dlg) {
        dlg.SetDlgItemText(IDC_OUTPUT_FOLDER, app.m_strPicturesDisplayName + L"\\" + leaf + L"\\");
        Click(dlg, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(settings.outputPath, real + L"\\");
    EXPECT_EQ(ReadString(L"outputPath"), (L"%MYPICTURES%\\" + leaf).str());
    EXPECT_TRUE(PathExistsAsEntry(real)); // created on confirming
    ::RemoveDirectoryW(real);
}

TEST_F(OptionsDialogTest, ConfirmingAnUnchangedHotkeyLeavesTheRegistrationAlone) {
    // The frame holds its hotkey; registering it again would be refused, so
    // an untouched registration is the only way to get through OK.
    settings.hotkey = kHotkeyF11;
    ASSERT_TRUE(::RegisterHotKey(frame.m_hWnd, kHotkeyF11, HotkeyToModifiers(kHotkeyF11), VK_F11));
    EXPECT_EQ(Run([&](ScriptedOptionsDlg& dlg) { Click(dlg, IDOK); }), IDOK);
    EXPECT_TRUE(::UnregisterHotKey(frame.m_hWnd, kHotkeyF11)); // still held by the frame
    EXPECT_EQ(ReadTestDword(L"hotkey"), static_cast<DWORD>(kHotkeyF11));

    // PrintScreen kept as it was is not registered by the dialog either.
    settings.hotkey = OptionsRules::kPrintScreenHotkey;
    EXPECT_EQ(Run([&](ScriptedOptionsDlg& dlg) { Click(dlg, IDOK); }), IDOK);
    EXPECT_FALSE(::UnregisterHotKey(frame.m_hWnd, OptionsRules::kPrintScreenHotkey));
}

TEST_F(OptionsDialogTest, ANewHotkeyIsRegisteredOnTheFrameAndTheOldOneReleased) {
    settings.hotkey = kHotkeyF11;
    ASSERT_TRUE(::RegisterHotKey(frame.m_hWnd, kHotkeyF11, HotkeyToModifiers(kHotkeyF11), VK_F11));
    INT_PTR result = Run([&](ScriptedOptionsDlg& dlg) {
        ::SendDlgItemMessageW(dlg.m_hWnd, IDC_HOTKEY, HKM_SETHOTKEY, kHotkeyF10, 0);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(settings.hotkey, kHotkeyF10);
    EXPECT_EQ(ReadTestDword(L"hotkey"), static_cast<DWORD>(kHotkeyF10));
    EXPECT_FALSE(::UnregisterHotKey(frame.m_hWnd, kHotkeyF11));
    EXPECT_TRUE(::UnregisterHotKey(frame.m_hWnd, kHotkeyF10));

    // Back to PrintScreen: registered under its own id, F10 released.
    settings.hotkey = kHotkeyF10;
    ASSERT_TRUE(::RegisterHotKey(frame.m_hWnd, kHotkeyF10, HotkeyToModifiers(kHotkeyF10), VK_F10));
    result = Run([&](ScriptedOptionsDlg& dlg) {
        Click(dlg, IDC_HOTKEY_PRINTSCREEN);
        EXPECT_FALSE(::IsWindowEnabled(dlg.GetDlgItem(IDC_HOTKEY)));
        Click(dlg, IDOK);
    });
    if (result == IDOK) { // PrintScreen may be held by another program of the desktop
        EXPECT_EQ(settings.hotkey, OptionsRules::kPrintScreenHotkey);
        EXPECT_FALSE(::UnregisterHotKey(frame.m_hWnd, kHotkeyF10));
        EXPECT_TRUE(::UnregisterHotKey(frame.m_hWnd, OptionsRules::kPrintScreenHotkey));
    } else {
        ::UnregisterHotKey(frame.m_hWnd, kHotkeyF10);
    }
}

TEST_F(OptionsDialogTest, AHotkeyHeldElsewhereIsRefusedAndTheDialogStaysOpen) {
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, L"STATIC", L"OtherHotkeyOwner", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    ASSERT_TRUE(::RegisterHotKey(other.m_hWnd, 1, HotkeyToModifiers(kHotkeyF10), VK_F10));
    settings.hotkey = kHotkeyF11;
    ASSERT_TRUE(::RegisterHotKey(frame.m_hWnd, kHotkeyF11, HotkeyToModifiers(kHotkeyF11), VK_F11));
    CString message;
    message.LoadString(IDS_HOTKEY_SET_FAILED);
    bool stayedOpen = false;
    INT_PTR result = Run([&](ScriptedOptionsDlg& dlg) {
        Click(dlg, IDC_HOTKEY_CUSTOM);
        ::SendDlgItemMessageW(dlg.m_hWnd, IDC_HOTKEY, HKM_SETHOTKEY, kHotkeyF10, 0);
        OwnedDialogCloser::Arm(dlg.m_hWnd);
        Click(dlg, IDOK); // returns once the message box has been closed
        EXPECT_EQ(OwnedDialogCloser::closed, 1);
        bool shown = false;
        for (const std::wstring& text : OwnedDialogCloser::texts)
            shown = shown || text == message.str();
        EXPECT_TRUE(shown) << "message 118 not shown";
        stayedOpen = dlg.IsWindow() && dlg.IsWindowVisible();
        // The stored hotkey is shown again.
        EXPECT_TRUE(Checked(dlg, IDC_HOTKEY_CUSTOM));
        EXPECT_EQ(HotKeyOf(dlg), kHotkeyF11);
        Click(dlg, IDCANCEL);
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(settings.hotkey, kHotkeyF11);
    EXPECT_EQ(ReadTestDword(L"hotkey"), 0xDEADBEEFu);
    EXPECT_TRUE(::UnregisterHotKey(frame.m_hWnd, kHotkeyF11)); // the old one kept
    EXPECT_TRUE(::UnregisterHotKey(other.m_hWnd, 1));
    other.DestroyWindow();
}

TEST_F(OptionsDialogTest, PrintScreenKeptByTheSystemIsOfferedBeforeTheFailureMessage) {
    FakeHotkeySystem::Reset();
    FakeHotkeySystem::systemHoldsPrintScreen = true;
    settings.hotkey = kHotkeyF11;
    ASSERT_TRUE(::RegisterHotKey(frame.m_hWnd, kHotkeyF11, HotkeyToModifiers(kHotkeyF11), VK_F11));
    app.WriteProfileInt(L"", L"printScreenOfferDeclined", 1);
    ScriptedOptionsDlg dlg(settings, app, &frame, FakeHotkeySystem::Make());
    dlg.script = [&](ScriptedOptionsDlg& d) {
        Click(d, IDC_HOTKEY_PRINTSCREEN);
        Click(d, IDOK); // No: the offer, then the failure message; the dialog stays
        ASSERT_EQ(FakeHotkeySystem::boxes.size(), 2u);
        EXPECT_TRUE(FakeHotkeySystem::Shown(IDS_PRINTSCREEN_TAKEN_BY_SYSTEM));
        EXPECT_TRUE(FakeHotkeySystem::Shown(IDS_HOTKEY_SET_FAILED));
        EXPECT_TRUE(FakeHotkeySystem::writes.empty());
        FakeHotkeySystem::answer = IDYES;
        Click(d, IDC_HOTKEY_PRINTSCREEN);
        Click(d, IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(FakeHotkeySystem::writes, std::vector<DWORD>{0});
    EXPECT_EQ(FakeHotkeySystem::printScreenRegistrations, 1);
    EXPECT_EQ(settings.hotkey, OptionsRules::kPrintScreenHotkey);
    EXPECT_FALSE(::UnregisterHotKey(frame.m_hWnd, kHotkeyF11)); // the old key released
    EXPECT_EQ(ReadTestDword(L"printScreenOfferDeclined"), 0u);
}

// With the frame's hook PrintScreen is had without asking, even while the
// system holds it; another hotkey chosen later stops the hook.
TEST_F(OptionsDialogTest, TheHookTakesPrintScreenWithoutAnOfferAndLetsItGoForAnotherKey) {
    FakeHotkeySystem::Reset();
    FakeHotkeySystem::systemHoldsPrintScreen = true;
    FakeHotkeySystem::hookRefused = false;
    settings.hotkey = kHotkeyF11;
    ASSERT_TRUE(::RegisterHotKey(frame.m_hWnd, kHotkeyF11, HotkeyToModifiers(kHotkeyF11), VK_F11));
    PrintScreenHook hook;
    {
        ScriptedOptionsDlg dlg(settings, app, &frame, FakeHotkeySystem::Make(), &hook);
        dlg.script = [](ScriptedOptionsDlg& d) {
            Click(d, IDC_HOTKEY_PRINTSCREEN);
            Click(d, IDOK);
        };
        EXPECT_EQ(dlg.DoModal(), IDOK);
    }
    EXPECT_TRUE(FakeHotkeySystem::boxes.empty());
    EXPECT_EQ(settings.hotkey, OptionsRules::kPrintScreenHotkey);
    EXPECT_TRUE(hook.IsRunning());
    EXPECT_FALSE(::UnregisterHotKey(frame.m_hWnd, kHotkeyF11)); // the old key released

    ScriptedOptionsDlg dlg(settings, app, &frame, FakeHotkeySystem::Make(), &hook);
    dlg.script = [](ScriptedOptionsDlg& d) {
        Click(d, IDC_HOTKEY_CUSTOM);
        ::SendDlgItemMessageW(d.m_hWnd, IDC_HOTKEY, HKM_SETHOTKEY, kHotkeyF10, 0);
        Click(d, IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(hook.IsRunning());
    EXPECT_TRUE(::UnregisterHotKey(frame.m_hWnd, kHotkeyF10));
}

TEST_F(OptionsDialogTest, BrowseStartsAtTheTypedFolder) {
    ASSERT_FALSE(app.m_strPicturesDisplayName.IsEmpty());
    // A folder the browser would not show by itself, typed in display form.
    CString leaf;
    leaf.Format(L"FrimletBrowse%lu", ::GetCurrentProcessId());
    const CString real = Pictures() + L"\\" + leaf;
    const CString shown = app.m_strPicturesDisplayName + L"\\" + leaf;
    ASSERT_TRUE(::CreateDirectoryW(real, nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    INT_PTR result = Run([&](ScriptedOptionsDlg& dlg) {
        dlg.SetDlgItemText(IDC_OUTPUT_FOLDER, shown);
        OwnedDialogCloser::Arm(dlg.m_hWnd);
        Click(dlg, IDC_BROWSE_OUTPUT_FOLDER); // OK at once: the initial selection is chosen
        EXPECT_EQ(OwnedDialogCloser::closed, 1);
        EXPECT_EQ(Text(dlg, IDC_OUTPUT_FOLDER), shown.str());
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    ::RemoveDirectoryW(real);
}

// The support link opens the help page that stands beside the program; with
// no page there it is disabled and opens nothing.
TEST_F(OptionsDialogTest, TheSupportLinkOpensTheHelpPageBesideTheProgram) {
    auto clickLink = [](ScriptedOptionsDlg& dlg) {
        NMLINK click{};
        click.hdr.hwndFrom = dlg.GetDlgItem(IDC_SUPPORT_LINK);
        click.hdr.idFrom = IDC_SUPPORT_LINK;
        click.hdr.code = NM_CLICK;
        dlg.SendMessage(WM_NOTIFY, IDC_SUPPORT_LINK, reinterpret_cast<LPARAM>(&click));
    };
    wchar_t module[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring besideTheProgram = module;
    besideTheProgram.resize(besideTheProgram.rfind(L'\\') + 1);
    besideTheProgram += L"Frimlet2.html";
    ASSERT_NE(::GetFileAttributesW(besideTheProgram.c_str()), INVALID_FILE_ATTRIBUTES)
        << "the build puts the help page beside the test program";

    Run([&](ScriptedOptionsDlg& dlg) {
        EXPECT_TRUE(::IsWindowEnabled(dlg.GetDlgItem(IDC_SUPPORT_LINK)));
        clickLink(dlg);
        EXPECT_EQ(dlg.opened, std::vector<std::wstring>{besideTheProgram});
    });

    const CString missing = CString(besideTheProgram.c_str()) + L".missing";
    Run(
        [&](ScriptedOptionsDlg& dlg) {
            EXPECT_FALSE(::IsWindowEnabled(dlg.GetDlgItem(IDC_SUPPORT_LINK)));
            clickLink(dlg);
            EXPECT_TRUE(dlg.opened.empty());
        },
        missing);
}

} // namespace

namespace {

std::wstring LoadedText(UINT id) {
    CString text;
    text.LoadString(id);
    return text.str();
}

} // namespace

// A fixed name that is no plain file name is refused on OK with the reason;
// the dialog stays open with the name selected and nothing is stored.
TEST_F(OptionsDialogTest, AFixedNameThatIsNoFileNameIsRefusedWithItsReason) {
    const struct {
        const wchar_t* name;
        UINT message;
    } cases[] = {{L"..\\..\\escape", IDS_FIXED_NAME_PATH},
                 {L"a:b", IDS_FIXED_NAME_PATH},
                 {L"CON", IDS_FIXED_NAME_DEVICE},
                 {L"?*<>|\"", IDS_FIXED_NAME_CHARACTER},
                 {L"shot.", IDS_FIXED_NAME_TRAILING},
                 {L"a#b#", IDS_FIXED_NAME_RUNS},
                 {L"", IDS_FIXED_NAME_EMPTY}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteTestKey();
        bool stayedOpen = false;
        DWORD selStart = 1, selEnd = 0;
        HWND focus = nullptr;
        const INT_PTR result = Run([&](ScriptedOptionsDlg& dlg) {
            dlg.SetDlgItemText(IDC_FIXED_NAME, c.name);
            OwnedDialogCloser::Arm(dlg.m_hWnd);
            Click(dlg, IDOK);
            EXPECT_EQ(OwnedDialogCloser::closed, 1);
            const std::wstring expected = LoadedText(c.message);
            bool shown = false;
            for (const std::wstring& text : OwnedDialogCloser::texts)
                shown = shown || text == expected;
            EXPECT_TRUE(shown) << "message " << c.message << " not shown";
            stayedOpen = dlg.IsWindow() && dlg.IsWindowVisible();
            focus = ::GetFocus();
            ::SendDlgItemMessageW(dlg.m_hWnd, IDC_FIXED_NAME, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                                  reinterpret_cast<LPARAM>(&selEnd));
            EXPECT_EQ(focus, dlg.GetDlgItem(IDC_FIXED_NAME));
            Click(dlg, IDCANCEL);
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(selStart, 0u);
        EXPECT_EQ(selEnd, static_cast<DWORD>(wcslen(c.name)));
        EXPECT_EQ(ReadString(L"fixdName"), L"<missing>");
    }
}

// The field's label names the file the next capture gets: numbered after the
// folder's files, with the extension of the chosen format.
TEST_F(OptionsDialogTest, TheNextFileNameFollowsTheFolderAndTheChoices) {
    const CString folder = Pictures() + L"\\frimlet-next-name";
    ::CreateDirectoryW(folder, nullptr);
    for (const wchar_t* name : {L"\\manual_007.png", L"\\manual_012.jpg"})
        unique_file(::CreateFileW(folder + name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    settings.outputPath = folder;
    settings.type = ImageType::Png;
    settings.useFixdName = true;
    settings.fixdName = L"manual_###";
    Run([&](ScriptedOptionsDlg& dlg) {
        EXPECT_EQ(Text(dlg, IDC_NEXT_FILE_NAME), L"次の画像: manual_013.png");
        Click(dlg, IDC_TYPE_GIF);
        EXPECT_EQ(Text(dlg, IDC_NEXT_FILE_NAME), L"次の画像: manual_013.gif");
        dlg.SetDlgItemText(IDC_FIXED_NAME, L"other_#");
        EXPECT_EQ(Text(dlg, IDC_NEXT_FILE_NAME), L"次の画像: other_1.gif");
        dlg.SetDlgItemText(IDC_FIXED_NAME, L"bad:name");
        EXPECT_EQ(Text(dlg, IDC_NEXT_FILE_NAME), L"");
        Click(dlg, IDC_USE_FIXED_NAME);
        dlg.SetDlgItemText(IDC_FIXED_NAME, L"manual_###");
        EXPECT_EQ(Text(dlg, IDC_NEXT_FILE_NAME), L"") << "time-stamped names have no next name";
    });
    for (const wchar_t* name : {L"\\manual_007.png", L"\\manual_012.jpg"})
        ::DeleteFileW(folder + name);
    ::RemoveDirectoryW(folder);
}
// The recording group: shown from the settings, typed values brought into
// their ranges on confirming, stored as DWORDs.
TEST_F(OptionsDialogTest, RecordingValuesAreShownAndStoredWithinTheirBounds) {
    struct Case {
        const wchar_t* fps;
        const wchar_t* seconds;
        int storedFps, storedSeconds;
    };
    const Case cases[] = {
        {L"0", L"0", 1, 1}, {L"1", L"1", 1, 1}, {L"30", L"600", 30, 600}, {L"31", L"601", 30, 600}};
    for (const auto& c : cases) {
        settings.recordFormat = 0;
        settings.recordFps = 12;
        settings.recordSeconds = 34;
        INT_PTR result = Run([&](ScriptedOptionsDlg& dlg) {
            EXPECT_TRUE(Checked(dlg, IDC_RECORD_GIF));
            EXPECT_EQ(Text(dlg, IDC_RECORD_FPS), L"12");
            EXPECT_EQ(Text(dlg, IDC_RECORD_SECONDS), L"34");
            Click(dlg, IDC_RECORD_APNG);
            dlg.SetDlgItemText(IDC_RECORD_FPS, c.fps);
            dlg.SetDlgItemText(IDC_RECORD_SECONDS, c.seconds);
            Click(dlg, IDOK);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(settings.recordFormat, 1);
        EXPECT_EQ(ReadTestDword(L"recordFormat"), 1u);
        EXPECT_EQ(ReadTestDword(L"recordFps"), static_cast<DWORD>(c.storedFps)) << c.fps;
        EXPECT_EQ(ReadTestDword(L"recordSeconds"), static_cast<DWORD>(c.storedSeconds)) << c.seconds;
    }
}
