// The frame size selection dialog and the reference file name dialog in this
// process, over a real capture frame, with the registry key, the reference
// files and the import files prepared by each test. Modal runs are driven
// from a timer (UiScript) the way a user would drive them: clicks, keys,
// double-clicks, the close box and the common item dialog.
#include "sizelist/CFrameSizeSelectDlg.h"

#include "app/CFrimlet2App.h"
#include "controls/EditColors.h"
#include "frame/CFrimlet2Dlg.h"
#include "frame/FrameMessages.h"
#include "framework/ComPtr.h"
#include "res/resource.h"
#include "sizelist/CFrameSizeSelectRules.h"
#include "sizelist/TextFileModes.h"
#include "tests/app/TestProfile.h"
#include "tests/frame/FrameTestSupport.h"
#include "tests/framework/UiScript.h"
#include "tests/support/MessagePump.h"
#include "tests/sizelist/SizeListTestFiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The tests' view of the dialog: its list and position check box, and the
// steps behind its commands, which the tests run without the file dialogs.
struct CFrameSizeSelectDlgProbe {
    static CReportViewCtrl& List(CFrameSizeSelectDlg& dlg) { return dlg.m_list; }
    static CButton& UsePosition(CFrameSizeSelectDlg& dlg) { return dlg.m_usePosition; }
    static void LoadList(CFrameSizeSelectDlg& dlg) { dlg.LoadList(); }
    static void SaveListIfModified(CFrameSizeSelectDlg& dlg) { dlg.SaveListIfModified(); }
    static void ImportFile(CFrameSizeSelectDlg& dlg, const wchar_t* path, std::int32_t mode) {
        dlg.ImportFile(path, mode);
    }
    static void ExportFile(CFrameSizeSelectDlg& dlg, const wchar_t* path, std::int32_t mode, bool reference) {
        dlg.ExportFile(path, mode, reference);
    }
};

namespace {

using namespace test_profile;
const wchar_t kOptionTitle[] = L"参照ファイル名の設定";
constexpr int kEditorId = 1; // the report view's in-place editor

std::wstring Help() {
    auto help = CFrameSizeSelectRules::HelpText();
    return std::wstring(reinterpret_cast<const wchar_t*>(help.data()), help.size());
}

bool StartsWith(const std::wstring& text, const std::wstring& start) {
    return text.compare(0, start.size(), start) == 0;
}
bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Two monitors side by side whose heights differ: the lower right quarter of
// the virtual screen belongs to neither.
geometry::ScreenLayout TwoMonitors() {
    geometry::ScreenLayout layout;
    layout.monitors.push_back({{0, 0, 960, 1080}, {0, 0, 960, 1050}});
    layout.monitors.push_back({{960, 0, 1920, 540}, {960, 0, 1920, 540}});
    layout.virtualScreen = {0, 0, 1920, 1080};
    layout.primaryWidth = 960;
    layout.primaryHeight = 1080;
    layout.cursor = {100, 100};
    return layout;
}

class SizeSelectDialogTest : public ProfileFixture {
protected:
    using Probe = CFrameSizeSelectDlgProbe;

    // The monitors the dialog learns of: the system's, unless a test sets
    // a layout of its own.
    static inline geometry::ScreenLayout (*screens)() = nullptr;
    static geometry::ScreenLayout Screens() { return screens ? screens() : geometry::QueryScreenLayout(); }

    void SetUp() override {
        screens = nullptr;
        ProfileFixture::SetUp();
        outFolder = temp / L"out";
        ::CreateDirectoryW(outFolder, nullptr);
        ::CreateDirectoryW(temp / L"cwd", nullptr);
        app.m_settings.outputPath = outFolder;
        app.m_settings.dataFolder = temp / L"data";
        ::GetCurrentDirectoryW(MAX_PATH, savedDirectory);
        ::SetCurrentDirectoryW(temp / L"cwd");

        frameSettings.hotkey = kTestHotkey;
        frameSettings.x = 200;
        frameSettings.y = 150;
        frameSettings.cx = 640;
        frameSettings.cy = 480;
        ASSERT_TRUE(frame->Create(IDD_FRIMLET2_DIALOG));
        test_support::PumpMessages(30);
    }
    void TearDown() override {
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
        if (frame && frame->m_hWnd)
            frame->DestroyWindow();
        frame.reset();
        ::SetCurrentDirectoryW(savedDirectory);
        ProfileFixture::TearDown();
    }

    // Stores
    void StoreOwnLines(const std::vector<std::wstring>& lines) {
        std::wstring data;
        for (const auto& line : lines)
            data += line + L'\0';
        data += L'\0';
        SetValue(L"SelectSizeList_v2", REG_MULTI_SZ, data);
    }
    void SetValue(const wchar_t* name, DWORD type, const std::wstring& data) {
        ASSERT_EQ(
            ::RegSetKeyValueW(HKEY_CURRENT_USER, kTestKey, name, type, data.c_str(),
                              static_cast<DWORD>(data.size() * sizeof(wchar_t) + (type == REG_SZ ? 2 : 0))),
            ERROR_SUCCESS);
    }
    // The stored own lines; "(none)" when the value does not exist.
    std::vector<std::wstring> StoredOwnLines() {
        DWORD size = 0;
        if (::RegGetValueW(HKEY_CURRENT_USER, kTestKey, L"SelectSizeList_v2", RRF_RT_REG_MULTI_SZ, nullptr,
                           nullptr, &size) != ERROR_SUCCESS)
            return {L"(none)"};
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
        ::RegGetValueW(HKEY_CURRENT_USER, kTestKey, L"SelectSizeList_v2", RRF_RT_REG_MULTI_SZ, nullptr,
                       data.data(), &size);
        std::vector<std::wstring> lines;
        for (const wchar_t* p = data.data(); *p; p += wcslen(p) + 1)
            lines.emplace_back(p);
        return lines;
    }
    std::wstring StoredString(const wchar_t* name) { return ReadTestString(name, L"(none)"); }
    void WriteText(const CString& path, const std::wstring& text, UINT codePage = CP_UTF8) {
        ASSERT_TRUE(WriteBytesToFile(path, Encode(text, codePage)));
    }

    // The dialog
    void OpenModeless() {
        ASSERT_TRUE(dlg.Create(IDD_FRAME_SIZE_SELECT, frame.get()));
        test_support::PumpMessages(30);
    }
    INT_PTR RunModal(std::vector<UiScript::Step> steps) {
        UiScript script(std::move(steps));
        const INT_PTR result = dlg.DoModal();
        EXPECT_TRUE(script.Finished()) << "step " << script.FailedStep() << " was never done";
        return result;
    }
    // Opens the reference file name dialog with its command, types name
    // there (when given) and confirms it; returns the name it showed.
    std::wstring AnswerReferenceName(const wchar_t* name) {
        std::wstring shown;
        UiScript script({[&] {
            HWND d = test_support::FindThreadWindow(L"#32770", kOptionTitle);
            if (!d)
                return false;
            shown = test_support::TextOf(::GetDlgItem(d, IDC_REFERENCE_NAME));
            if (name)
                ::SetDlgItemTextW(d, IDC_REFERENCE_NAME, name);
            ::PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return true;
        }});
        Command(IDM_REFERENCE_FILE_NAME);
        EXPECT_TRUE(script.Finished());
        return shown;
    }
    std::vector<std::wstring> Rows() {
        std::vector<std::wstring> rows;
        for (int r = 0; r < listView.GetItemCount(); ++r) {
            std::wstring row;
            for (int c = 0; c < 6; ++c)
                row += (c ? L"|" : L"") + std::wstring(listView.GetItemText(r, c));
            rows.push_back(row);
        }
        return rows;
    }
    HWND Item(int id) { return ::GetDlgItem(dlg.m_hWnd, id); }
    std::wstring Text(int id) { return test_support::TextOf(Item(id)); }
    void SetText(int id, const wchar_t* text) { ::SetDlgItemTextW(dlg.m_hWnd, id, text); }
    void Click(int id) {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }
    void Command(UINT id) { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void Select(int row) {
        listView.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    HWND Editor() { return ::GetDlgItem(listView.m_hWnd, kEditorId); }
    bool Enabled(int id) { return ::IsWindowEnabled(Item(id)) != FALSE; }
    void PostKey(HWND target, UINT key, UINT message = WM_KEYDOWN) {
        ::PostMessageW(target, message, key, 1);
    }
    // Selects the row (the first click of a double-click) and double-clicks
    // the cell.
    void DoubleClick(int row, int column) {
        Select(row);
        RECT cell{};
        listView.GetSubItemRect(row, column, LVIR_BOUNDS, &cell);
        const int x = column == 0 ? cell.left + listView.GetColumnWidth(0) / 2 : (cell.left + cell.right) / 2;
        ::PostMessageW(listView.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON,
                       MAKELPARAM(x, (cell.top + cell.bottom) / 2));
    }
    std::wstring Messages() { return Text(IDC_SIZE_MESSAGES); }
    // The background the message box paints with.
    COLORREF MessageTint() {
        WindowDC screen(nullptr);
        unique_memory_dc dc(::CreateCompatibleDC(screen.get()));
        dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                        reinterpret_cast<LPARAM>(Item(IDC_SIZE_MESSAGES)));
        return ::GetBkColor(dc.get());
    }
    static COLORREF Tint(std::int32_t value) {
        return static_cast<COLORREF>(controls::EditColors::Effective(value, ::GetSysColor(COLOR_MENU)) &
                                     0xFFFFFF);
    }

    // The frame
    RECT FrameWindow() {
        RECT r{};
        frame->GetWindowRect(&r);
        return r;
    }
    RECT Hole() { return frame_test::HoleOnScreen(*frame); }

    ComApartment com{ComApartment::Ole};
    TempFolder temp;
    CString outFolder;
    wchar_t savedDirectory[MAX_PATH + 1] = {};
    Settings frameSettings;
    std::unique_ptr<CFrimlet2Dlg> frame = std::make_unique<CFrimlet2Dlg>(frameSettings, app);
    CFrameSizeSelectDlg dlg{app.m_settings, app, frame.get(), SizeSelectCalls{&Screens}};
    CReportViewCtrl& listView = Probe::List(dlg);
    CButton& usePosition = Probe::UsePosition(dlg);
};

} // namespace

TEST_F(SizeSelectDialogTest, OpeningShowsTheFrameHoleAndOwnRowsBeforeReferenceRows) {
    StoreOwnLines({L",,640,480,VGA", L"10,20,800,600,SVGA"});
    WriteText(outFolder + L"\\SelectSizeList.txt", L"1,2,320,240,ref\r\n,,1024,768,XGA\r\n");
    OpenModeless();

    const RECT hole = Hole();
    EXPECT_EQ(Text(IDC_POS_X), std::to_wstring(hole.left));
    EXPECT_EQ(Text(IDC_POS_Y), std::to_wstring(hole.top));
    EXPECT_EQ(Text(IDC_WIDTH), L"640");
    EXPECT_EQ(Text(IDC_HEIGHT), L"480");
    EXPECT_EQ(usePosition.GetCheck(), BST_UNCHECKED);
    EXPECT_FALSE(Enabled(IDC_POS_X));
    EXPECT_FALSE(Enabled(IDC_POS_Y));
    EXPECT_TRUE(Enabled(IDC_WIDTH));
    EXPECT_FALSE(Enabled(IDC_REMOVE_FROM_LIST));
    EXPECT_FALSE(Enabled(IDC_MOVE_ROW_UP));
    EXPECT_FALSE(Enabled(IDC_MOVE_ROW_DOWN));
    EXPECT_EQ(::GetFocus(), Item(IDC_WIDTH));

    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"|||640|480|VGA", L"|10|20|800|600|SVGA",
                                                 L"F|1|2|320|240|ref", L"F|||1024|768|XGA"}));
    const wchar_t* headers[] = {L"", L"x", L"y", L"幅", L"高さ", L"メモ"};
    ASSERT_EQ(listView.GetColumnCount(), 6);
    for (int c = 0; c < 6; ++c) {
        wchar_t text[32] = {};
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT;
        column.pszText = text;
        column.cchTextMax = 32;
        listView.SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
        EXPECT_STREQ(text, headers[c]);
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, c == 0   ? LVCFMT_CENTER
                                                   : c == 5 ? LVCFMT_LEFT
                                                            : LVCFMT_RIGHT);
    }
    EXPECT_EQ(Messages(), Help());
    EXPECT_EQ(MessageTint(), Tint(CFrameSizeSelectRules::kInfoBackground));

    // A row with a position fills every field and enables x and y.
    Select(1);
    EXPECT_EQ(usePosition.GetCheck(), BST_CHECKED);
    EXPECT_TRUE(Enabled(IDC_POS_X));
    EXPECT_EQ(Text(IDC_POS_X), L"10");
    EXPECT_EQ(Text(IDC_POS_Y), L"20");
    EXPECT_EQ(Text(IDC_WIDTH), L"800");
    EXPECT_EQ(Text(IDC_HEIGHT), L"600");
    EXPECT_TRUE(Enabled(IDC_MOVE_ROW_UP));
    EXPECT_TRUE(Enabled(IDC_MOVE_ROW_DOWN));
    // One without leaves x and y empty and disabled.
    Select(3);
    EXPECT_EQ(usePosition.GetCheck(), BST_UNCHECKED);
    EXPECT_FALSE(Enabled(IDC_POS_Y));
    EXPECT_EQ(Text(IDC_POS_X), L"");
    EXPECT_EQ(Text(IDC_WIDTH), L"1024");
    EXPECT_FALSE(Enabled(IDC_MOVE_ROW_DOWN));
    // The check box alone switches the position fields.
    usePosition.SetCheck(BST_CHECKED);
    Click(IDC_USE_POSITION);
    EXPECT_TRUE(Enabled(IDC_POS_X));
    EXPECT_TRUE(Enabled(IDC_POS_Y));
}

TEST_F(SizeSelectDialogTest, ReferenceFileProblemsShowInThePinkTintWithTheHelp) {
    WriteText(outFolder + L"\\SelectSizeList.txt", L"1,2,320,240,ok\r\nnot a size\r\n");
    OpenModeless();
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"F|1|2|320|240|ok"}));
    const std::wstring text = Messages();
    EXPECT_TRUE(StartsWith(text, L"■")) << text;
    EXPECT_NE(text.find(L"SelectSizeList.txt\r\n以下のデータはスキップされました。\r\n\r\n"),
              std::wstring::npos);
    EXPECT_NE(text.find(L"not a size"), std::wstring::npos);
    EXPECT_TRUE(EndsWith(text, L"\r\n" + Help()));
    EXPECT_EQ(MessageTint(), Tint(CFrameSizeSelectRules::kErrorBackground));
}

TEST_F(SizeSelectDialogTest, ApplyingWithoutPositionKeepsTheCentreAndAnOddPixelGoesRight) {
    const RECT start = FrameWindow();
    for (int width : {641, 639}) {
        SCOPED_TRACE(width);
        frame->MoveWindow(start);
        const INT_PTR result = RunModal({[&] {
            SetText(IDC_WIDTH, std::to_wstring(width).c_str());
            Click(IDC_APPLY_SIZE);
            return true;
        }});
        EXPECT_EQ(result, IDOK);
        const RECT now = FrameWindow();
        EXPECT_EQ(now.left, start.left);
        EXPECT_EQ(now.right, start.right + (width - 640));
        EXPECT_EQ(now.top, start.top);
        EXPECT_EQ(now.bottom, start.bottom);
        EXPECT_EQ(Hole().right - Hole().left, width);
    }
}

TEST_F(SizeSelectDialogTest, ApplyingWithAPositionPutsTheHoleExactlyThere) {
    const INT_PTR result = RunModal({[&] {
        ::SendMessageW(Item(IDC_USE_POSITION), BM_CLICK, 0, 0);
        if (!Enabled(IDC_POS_X))
            return false;
        SetText(IDC_POS_X, L"300");
        SetText(IDC_POS_Y, L"200");
        SetText(IDC_WIDTH, L"500");
        SetText(IDC_HEIGHT, L"400");
        Click(IDC_APPLY_SIZE);
        return true;
    }});
    EXPECT_EQ(result, IDOK);
    const RECT hole = Hole();
    EXPECT_EQ(hole.left, 300);
    EXPECT_EQ(hole.top, 200);
    EXPECT_EQ(hole.right, 800);
    EXPECT_EQ(hole.bottom, 600);
}

TEST_F(SizeSelectDialogTest, APositionOffEveryMonitorIsRefusedAndLeavesTheFrameAlone) {
    screens = &TwoMonitors;
    const RECT start = FrameWindow();
    RECT holeInWindow{};
    ::SendMessageW(frame->m_hWnd, WM_APP_GETFRAMEINFO, 0, reinterpret_cast<LPARAM>(&holeInWindow));
    const int chromeX = (start.right - start.left) - (holeInWindow.right - holeInWindow.left);
    std::wstring refused;
    COLORREF tint = 0;
    RECT afterRefusal{};
    const INT_PTR result = RunModal({
        [&] {
            usePosition.SetCheck(BST_CHECKED);
            Click(IDC_USE_POSITION);
            SetText(IDC_POS_X, L"1200");
            SetText(IDC_POS_Y, L"700");
            SetText(IDC_WIDTH, L"200");
            SetText(IDC_HEIGHT, L"100");
            Click(IDC_APPLY_SIZE);
            refused = Messages();
            tint = MessageTint();
            afterRefusal = FrameWindow();
            return true;
        },
        [&] {
            // The same size around the frame's centre is applied.
            usePosition.SetCheck(BST_UNCHECKED);
            Click(IDC_USE_POSITION);
            Click(IDC_APPLY_SIZE);
            return true;
        },
    });
    const int left = 1200 - holeInWindow.left, top = 700 - holeInWindow.top;
    EXPECT_EQ(refused, L"x=" + std::to_wstring(left + chromeX / 2) + L", y=" +
                           std::to_wstring(top + chromeX / 2) + L" へは移動できません。");
    EXPECT_EQ(tint, Tint(CFrameSizeSelectRules::kErrorBackground));
    EXPECT_TRUE(EqualRect(&afterRefusal, &start));
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Hole().right - Hole().left, 200);
    EXPECT_EQ(Hole().bottom - Hole().top, 100);
}

TEST_F(SizeSelectDialogTest, EditingTheListAndClosingWithTheCloseBoxSavesOwnRows) {
    StoreOwnLines({L",,640,480,VGA", L"10,20,800,600,SVGA"});
    WriteText(outFolder + L"\\SelectSizeList.txt", L"1,2,320,240,ref\r\n");
    bool memoEditorOpened = false, refusedOnF = false;
    std::vector<std::wstring> afterAdd, beforeClose;
    BYTE keys[256] = {};
    const INT_PTR result = RunModal({
        [&] { // add: a new own row at the top with the memo editor open
            SetText(IDC_WIDTH, L"700");
            SetText(IDC_HEIGHT, L"500");
            Click(IDC_ADD_TO_LIST);
            afterAdd = Rows();
            memoEditorOpened = ::IsWindowVisible(Editor()) && ::GetFocus() == Editor();
            ::SetWindowTextW(Editor(), L"new");
            PostKey(Editor(), VK_RETURN);
            return true;
        },
        [&] { // double-click the width of the VGA row to edit it
            DoubleClick(1, 3);
            return true;
        },
        [&] {
            if (!::IsWindowVisible(Editor()))
                return false;
            ::SetWindowTextW(Editor(), L"720");
            PostKey(Editor(), VK_RETURN);
            return true;
        },
        [&] { // a reference row's cells cannot be edited
            if (::IsWindowVisible(Editor()))
                return false;
            DoubleClick(3, 5);
            return true;
        },
        [&] {
            refusedOnF = !::IsWindowVisible(Editor());
            Select(2); // SVGA
            Click(IDC_REMOVE_FROM_LIST);
            Select(0); // new
            Click(IDC_MOVE_ROW_DOWN);
            Select(2); // the reference row
            // Ctrl+D through the dialog's accelerators.
            ::GetKeyboardState(keys);
            BYTE withCtrl[256];
            memcpy(withCtrl, keys, sizeof withCtrl);
            withCtrl[VK_CONTROL] = 0x80;
            ::SetKeyboardState(withCtrl);
            PostKey(listView.m_hWnd, 'D');
            return true;
        },
        [&] {
            ::SetKeyboardState(keys);
            beforeClose = Rows();
            ::PostMessageW(dlg.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            return true;
        },
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(memoEditorOpened);
    EXPECT_TRUE(refusedOnF);
    ASSERT_FALSE(afterAdd.empty());
    EXPECT_EQ(afterAdd[0], L"|||700|500|");
    EXPECT_EQ(beforeClose, (std::vector<std::wstring>{L"|||720|480|VGA", L"|||700|500|new",
                                                      L"F|1|2|320|240|ref", L"|1|2|320|240|ref"}));
    EXPECT_EQ(StoredOwnLines(),
              (std::vector<std::wstring>{L",,720,480,VGA", L",,700,500,new", L"1,2,320,240,ref"}));
}

TEST_F(SizeSelectDialogTest, EscDiscardsChangesAndRemovingOnlyReferenceRowsSavesNothing) {
    StoreOwnLines({L",,640,480,VGA"});
    WriteText(outFolder + L"\\SelectSizeList.txt", L"1,2,320,240,ref\r\n");
    INT_PTR result = RunModal({[&] {
        Click(IDC_ADD_TO_LIST);
        Select(1);
        Click(IDC_REMOVE_FROM_LIST);
        PostKey(Item(IDC_WIDTH), VK_ESCAPE);
        return true;
    }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(StoredOwnLines(), (std::vector<std::wstring>{L",,640,480,VGA"}));

    // No own list stored at all: a save would store at least "#".
    DeleteTestKey();
    result = RunModal({[&] {
        if (listView.GetItemCount() != 1)
            return false;
        Select(0);
        Click(IDC_MOVE_ROW_UP);
        Click(IDC_REMOVE_FROM_LIST);
        ::PostMessageW(dlg.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(listView.GetItemCount(), 0);
    EXPECT_EQ(StoredOwnLines(), (std::vector<std::wstring>{L"(none)"}));
}

TEST_F(SizeSelectDialogTest, KeysEnterDoesNothingAltOpensTheMenuAndDoubleClickOnTheFirstColumnApplies) {
    StoreOwnLines({L",,480,360,small"});
    bool stillOpen = false, menuShown = false;
    const INT_PTR result = RunModal({
        [&] {
            PostKey(Item(IDC_WIDTH), VK_RETURN);
            return true;
        },
        [&] {
            stillOpen = ::IsWindowVisible(dlg.m_hWnd) != FALSE;
            PostKey(Item(IDC_WIDTH), VK_MENU, WM_SYSKEYDOWN);
            return true;
        },
        [&] {
            HWND menu = test_support::FindThreadWindow(L"#32768");
            if (!menu)
                return false;
            menuShown = true;
            ::EndMenu();
            return true;
        },
        [&] {
            if (test_support::FindThreadWindow(L"#32768"))
                return false;
            DoubleClick(0, 0);
            return true;
        },
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(menuShown);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Hole().right - Hole().left, 480);
    EXPECT_EQ(Hole().bottom - Hole().top, 360);
}

TEST_F(SizeSelectDialogTest, ImportAddsNothingFromAFileWithABadLineAndRowsFromAGoodShiftJisFile) {
    ASSERT_EQ(::GetACP(), 932u) << "the tests need Wine in a Japanese locale (LC_ALL=ja_JP.UTF-8)";
    StoreOwnLines({L",,640,480,VGA"});
    OpenModeless();
    const CString bad = temp / L"bad.csv", comments = temp / L"comments.txt", sjis = temp / L"sjis.txt";
    WriteText(bad, L",,800,600,ok\r\n12,x,800,600,bad\r\n");
    WriteText(comments, L"# nothing\r\n\r\n# here\r\n");
    WriteText(sjis, L"# 一覧\r\n,,1280,720,ハイビジョン\r\n5,6,300,200,枠\r\n", 932);

    Probe::ImportFile(dlg, bad, TFM_AUTO);
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_FALSE(listView.m_bModified);
    std::wstring text = Messages();
    EXPECT_TRUE(StartsWith(text, L"■" + std::wstring(bad) + L"\r\nのインポートでエラーが発生しました。\r\n"))
        << text;
    EXPECT_NE(text.find(L"12,x,800,600,bad"), std::wstring::npos);
    EXPECT_EQ(text.find(Help()), std::wstring::npos);
    EXPECT_EQ(MessageTint(), Tint(CFrameSizeSelectRules::kErrorBackground));

    Probe::ImportFile(dlg, comments, TFM_AUTO);
    EXPECT_EQ(Messages(), std::wstring(comments) +
                              L"\r\nファイルから読み込みましたが、有効なデータがありませんでした。\r\n");
    EXPECT_EQ(MessageTint(), Tint(CFrameSizeSelectRules::kInfoBackground));
    EXPECT_FALSE(listView.m_bModified);

    // Through the item dialog: the encoding combo offers five encodings with
    // UTF-8 chosen; the user picks automatic detection.
    std::wstring offered;
    LRESULT count = 0;
    UiScript script({[&] {
        HWND d = ItemDialog::Find();
        HWND combo = d ? ItemDialog::CustomCombo(d) : nullptr;
        if (!combo)
            return false;
        offered = ItemDialog::ComboText(combo);
        count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
        ItemDialog::SelectComboText(combo, L"（自動判別）");
        ItemDialog::Accept(d, sjis);
        return true;
    }});
    Command(IDM_SIZELIST_IMPORT);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(offered, L"UTF-8(BOM無し/付き)");
    EXPECT_EQ(count, 5);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"|||640|480|VGA", L"|||1280|720|ハイビジョン",
                                                 L"|5|6|300|200|枠"}));
    EXPECT_TRUE(listView.m_bModified);
    EXPECT_EQ(Messages(), std::wstring(sjis) + L"\r\nファイルから 2件 読み込みました。");
    EXPECT_EQ(MessageTint(), Tint(CFrameSizeSelectRules::kInfoBackground));
}

TEST_F(SizeSelectDialogTest, AHugeImportIsRefusedByNameAndSavedMemosAreCutAtACodePoint) {
    const std::wstring nineteen(19, L'm');
    StoreOwnLines({L",,1,1," + nineteen + L"\U0001F600"}); // 21 units: a stored line may hold them
    OpenModeless();
    ASSERT_EQ(Rows(), (std::vector<std::wstring>{L"|||1|1|" + nineteen + L"\U0001F600"}));

    std::wstring many;
    for (int i = 0; i <= 10000; ++i)
        many += L",,2,2\r\n";
    const CString path = temp / L"many.csv";
    WriteText(path, many);
    Probe::ImportFile(dlg, path, TFM_AUTO);
    const std::wstring text = Messages();
    EXPECT_NE(text.find(L"ファイル「many.csv」は 10000 行を超えているため"), std::wstring::npos) << text;
    EXPECT_EQ(MessageTint(), Tint(CFrameSizeSelectRules::kErrorBackground));
    EXPECT_EQ(Rows().size(), 1u);

    // Saving keeps 20 units without the half of the pair.
    listView.m_bModified = true;
    dlg.SendMessage(WM_CLOSE);
    EXPECT_EQ(StoredOwnLines(), (std::vector<std::wstring>{L",,1,1," + nineteen}));
}

TEST_F(SizeSelectDialogTest, ExportWritesTheChosenEncodingWithOrWithoutReferenceRows) {
    ASSERT_EQ(::GetACP(), 932u) << "the tests need Wine in a Japanese locale (LC_ALL=ja_JP.UTF-8)";
    OpenModeless();
    // Nothing to export yet.
    Command(IDM_SIZELIST_EXPORT);
    EXPECT_EQ(Messages(), L"保存すべきデータがありません。");
    dlg.DestroyWindow();

    StoreOwnLines({L",,640,480,VGA", L"1,2,3,4,a,b"});
    WriteText(outFolder + L"\\SelectSizeList.txt", L"5,6,700,500,参照\r\n", 932);
    OpenModeless();
    const std::wstring all =
        std::wstring(kHeader) + L",,640,480,VGA\r\n1,2,3,4,\"a,b\"\r\n5,6,700,500,参照\r\n";
    const std::wstring own = std::wstring(kHeader) + L",,640,480,VGA\r\n1,2,3,4,\"a,b\"\r\n";

    const CString utf16 = temp / L"all.txt";
    Probe::ExportFile(dlg, utf16, TFM_UTF16LE_BOM, true);
    EXPECT_EQ(ReadBytesOfFile(utf16), Concat({0xFF, 0xFE}, Utf16(all, false)));
    EXPECT_EQ(Messages(), std::wstring(utf16) + L"\r\nファイルに 3件 保存しました。\r\n");
    EXPECT_EQ(MessageTint(), Tint(CFrameSizeSelectRules::kInfoBackground));

    const CString ansi = temp / L"own.csv";
    Probe::ExportFile(dlg, ansi, TFM_ANSI, false);
    EXPECT_EQ(ReadBytesOfFile(ansi), Encode(own, 932));
    EXPECT_EQ(Messages(), std::wstring(ansi) + L"\r\nファイルに 2件 保存しました。\r\n");

    const CString nowhere = temp / L"missing\\x.txt";
    Probe::ExportFile(dlg, nowhere, TFM_UTF8_BOM, true);
    EXPECT_TRUE(
        StartsWith(Messages(), std::wstring(nowhere) + L"\r\nへのエクスポートでエラーが発生しました。\r\n"));
    EXPECT_EQ(MessageTint(), Tint(CFrameSizeSelectRules::kErrorBackground));

    // Through the item dialog: UTF-8 without BOM and the "F" rows offered;
    // the user picks UTF-8 with BOM and leaves the "F" rows out.
    std::wstring offered;
    LRESULT checkedAtFirst = 0;
    const CString chosen = temp / L"picked";
    UiScript script({[&] {
        HWND d = ItemDialog::Find();
        HWND combo = d ? ItemDialog::CustomCombo(d) : nullptr;
        HWND check = d ? ItemDialog::CustomCheckButton(d) : nullptr;
        if (!combo || !check)
            return false;
        offered = ItemDialog::ComboText(combo);
        checkedAtFirst = ::SendMessageW(check, BM_GETCHECK, 0, 0);
        ItemDialog::SelectComboText(combo, L"UTF-8(BOM付き)");
        ::SendMessageW(check, BM_CLICK, 0, 0);
        ItemDialog::Accept(d, chosen);
        return true;
    }});
    Command(IDM_SIZELIST_EXPORT);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(offered, L"UTF-8(BOM無し)");
    EXPECT_EQ(checkedAtFirst, BST_CHECKED);
    EXPECT_EQ(ReadBytesOfFile(chosen + L".txt"), Utf8WithBom(own));
}

TEST_F(SizeSelectDialogTest, ReferenceNameDialogUnchangedOkDoesNothing) {
    OpenModeless();
    Click(IDC_ADD_TO_LIST);
    ASSERT_TRUE(listView.m_bModified);
    EXPECT_EQ(AnswerReferenceName(nullptr), L"SelectSizeList");
    EXPECT_EQ(StoredString(L"SelectSizeListName"), L"(none)");
    EXPECT_EQ(StoredOwnLines(), (std::vector<std::wstring>{L"(none)"})); // not saved
    EXPECT_EQ(listView.GetItemCount(), 1);                               // not reloaded
}

TEST_F(SizeSelectDialogTest, ReferenceNameDialogEmptyNameDeletesTheValueSavesAndReloads) {
    SetValue(L"SelectSizeListName", REG_SZ, L"other");
    WriteText(outFolder + L"\\other.txt", L"1,1,111,111,other\r\n");
    WriteText(outFolder + L"\\SelectSizeList.txt", L"2,2,222,222,default\r\n");
    OpenModeless();
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"F|1|1|111|111|other"}));
    SetText(IDC_WIDTH, L"300");
    SetText(IDC_HEIGHT, L"200");
    Click(IDC_ADD_TO_LIST);
    listView.EndCellEdit(false);

    EXPECT_EQ(AnswerReferenceName(L""), L"other");
    EXPECT_EQ(StoredString(L"SelectSizeListName"), L"(none)");
    EXPECT_EQ(StoredOwnLines(), (std::vector<std::wstring>{L",,300,200,"}));
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"|||300|200|", L"F|2|2|222|222|default"}));
    EXPECT_FALSE(listView.m_bModified);
    EXPECT_EQ(Messages(), Help());
}

TEST_F(SizeSelectDialogTest, ReferenceNameUnderDocumentsIsShownWithItsDisplayNameAndStoredWithTheMacro) {
    const CString documents = temp / L"docs";
    ::CreateDirectoryW(documents, nullptr);
    ::CreateDirectoryW(documents + L"\\lists", nullptr);
    app.Folders().SetPath(FolderMacroTable::Documents, std::u16string(AsU16(documents)));
    app.Folders().SetDisplayName(FolderMacroTable::Documents, u"ドキュメント");
    SetValue(L"SelectSizeListName", REG_SZ, L"%MYDOCUMENT%\\lists\\my");
    WriteText(documents + L"\\lists\\my.txt", L",,100,100,mine\r\n");
    WriteText(documents + L"\\lists\\new.txt", L",,200,200,newer\r\n");
    OpenModeless();
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"F|||100|100|mine"}));

    EXPECT_EQ(AnswerReferenceName(L"ドキュメント\\lists\\new\\"), L"ドキュメント\\lists\\my");
    EXPECT_EQ(StoredString(L"SelectSizeListName"), L"%MYDOCUMENT%\\lists\\new");
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"F|||200|200|newer"}));
}

TEST_F(SizeSelectDialogTest, ExportingOnlyReferenceRowsWithoutThemWritesTheHeaderAlone) {
    WriteText(outFolder + L"\\SelectSizeList.txt", L"1,2,320,240,ref\r\n");
    OpenModeless();
    ASSERT_EQ(Rows(), (std::vector<std::wstring>{L"F|1|2|320|240|ref"}));
    const CString path = temp / L"header.txt";
    Probe::ExportFile(dlg, path, TFM_UTF8_NOBOM, false);
    EXPECT_EQ(ReadBytesOfFile(path), Encode(kHeader, CP_UTF8));
    EXPECT_EQ(Messages(), std::wstring(path) + L"\r\nファイルに 0件 保存しました。\r\n");
}

// The own list lives in the data-folder file; the file goes away, and later
// is held open by another program, while the dialog shows the list.
TEST_F(SizeSelectDialogTest, ADataFileThatVanishesOrIsHeldWhileTheDialogIsOpenLosesNoEntry) {
    ::CreateDirectoryW(temp / L"data", nullptr);
    const CString dataFile = temp / L"data\\SelectSizeList_v2.txt";
    std::wstring text = kHeader;
    for (int i = 101; i <= 125; ++i)
        text += L",," + std::to_wstring(i) + L",100,m\r\n";
    ASSERT_TRUE(WriteBytesToFile(dataFile, Utf8WithBom(text)));
    StoreOwnLines({L"%APPDATA%"});
    OpenModeless();
    ASSERT_EQ(listView.GetItemCount(), 25);

    ASSERT_TRUE(::DeleteFileW(dataFile));
    Click(IDC_ADD_TO_LIST);
    Probe::SaveListIfModified(dlg);
    EXPECT_EQ(StoredOwnLines(), std::vector<std::wstring>{L"%APPDATA%"});
    Probe::LoadList(dlg);
    EXPECT_EQ(listView.GetItemCount(), 26);

    {
        unique_file held(::CreateFileW(dataFile, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        Click(IDC_ADD_TO_LIST);
        Probe::SaveListIfModified(dlg);
    }
    // The file could not be replaced: the registry holds every entry instead.
    EXPECT_EQ(StoredOwnLines().size(), 27u);
    EXPECT_EQ(::GetFileAttributesW(temp / L"data\\SelectSizeList_v2.tmp"), INVALID_FILE_ATTRIBUTES);
    Probe::LoadList(dlg);
    EXPECT_EQ(listView.GetItemCount(), 27);
}

TEST_F(SizeSelectDialogTest, AReferenceFolderIsPassedOverAnUnreadableFileIsNamedInTheMessage) {
    StoreOwnLines({L",,640,480,VGA"});
    ASSERT_TRUE(::CreateDirectoryW(outFolder + L"\\SelectSizeList.txt", nullptr));
    const CString locked = temp / L"cwd\\SelectSizeList.txt";
    WriteText(locked, L"1,2,320,240,ref\r\n");
    {
        unique_file held(::CreateFileW(locked, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        OpenModeless();
    }
    EXPECT_EQ(Rows(), std::vector<std::wstring>{L"|||640|480|VGA"});
    CString reason;
    reason.Format(L"■%s\r\nファイル操作に失敗しました。\r\nエラー 32(0x00000020）：%s\r\n",
                  static_cast<const wchar_t*>(locked), static_cast<const wchar_t*>(SystemText(32)));
    EXPECT_TRUE(StartsWith(Messages(), std::wstring(reason))) << Messages();
    EXPECT_TRUE(EndsWith(Messages(), Help()));
    EXPECT_EQ(MessageTint(), Tint(CFrameSizeSelectRules::kErrorBackground));

    // Importing the folder itself says so and adds nothing.
    const CString folder = outFolder + L"\\SelectSizeList.txt";
    Probe::ImportFile(dlg, folder, TFM_AUTO);
    EXPECT_TRUE(
        StartsWith(Messages(), L"■" + std::wstring(folder) + L"\r\nのインポートでエラーが発生しました。"))
        << Messages();
    EXPECT_EQ(listView.GetItemCount(), 1);
}
