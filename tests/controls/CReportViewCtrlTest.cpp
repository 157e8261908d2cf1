#include "controls/CReportViewCtrl.h"

#include "tests/controls/ControlTestHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

using controls_test::ControlTestHost;
using controls_test::PressKey;
using controls_test::TypeText;
using test_support::TextOf;
using Option = CReportViewCtrl::tagCOLUMN_EDIT_OPTION;

constexpr UINT kListId = 1056;

class ReportViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Create(700, 400));
        font.reset(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                 L"MS UI Gothic"));
        hwnd = host.Child(WC_LISTVIEWW, WS_BORDER | LVS_ICON | WS_TABSTOP, 10, 10, 500, 200, kListId);
        ASSERT_NE(hwnd, nullptr);
        ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        ::SendMessageW(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES);
        ASSERT_TRUE(list.SubclassWindow(hwnd));
        editor = ::GetDlgItem(hwnd, 1);
        spin = ::GetDlgItem(hwnd, 2);
    }
    void TearDown() override {
        list.DestroyWindow();
        host.Pump(0);
    }

    // The parent's set-up: a text column of 10 characters, an integer column
    // from -99999 to 99999 and a fixed column of 4 characters.
    void AddColumns() {
        Option options[] = {text, number, fixed};
        const wchar_t* titles[] = {L"メモ", L"値", L"種類"};
        for (int i = 0; i < 3; ++i) {
            const int width = list.ComputeColumnWidth(options[i]);
            const int at = list.InsertColumn(i, titles[i], LVCFMT_LEFT, width);
            list.InsertColumnEditOption(at, options[i]);
        }
    }
    void AddRows() {
        list.AppendRow(101, L"alpha", {L"1", L"a"});
        list.AppendRow(102, L"beta", {L"2", L"b"});
        list.AppendRow(103, L"gamma", {L"3", L"c"});
        list.m_bModified = false;
    }

    // Notifications from the control itself: LVN_ITEMCHANGED with no item
    // data (the rows carry data, so the list's own notices are told apart).
    int CellChanges() const {
        int count = 0;
        for (const auto& n : host.notifications)
            count += n.code == static_cast<int>(LVN_ITEMCHANGED) && n.param == 0 && n.changed == LVIF_STATE &&
                     n.newState == LVIS_SELECTED && n.oldState == 0;
        return count;
    }
    bool EditorVisible() const { return ::IsWindowVisible(editor) != FALSE; }
    RECT ChildRect(HWND child) const {
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    RECT Cell(int row, int column) const {
        RECT r{};
        list.GetSubItemRect(row, column, LVIR_BOUNDS, &r);
        return r;
    }
    POINT CellCentre(int row, int column) const {
        RECT r = Cell(row, column);
        if (column == 0)
            r.right = list.GetColumnCount() > 1 ? Cell(row, 1).left : r.left + list.GetColumnWidth(0);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    CString ItemText(int row, int column) const { return list.GetItemText(row, column); }
    int Selected() const { return list.GetNextItem(-1, LVNI_SELECTED); }

    ControlTestHost host;
    unique_font font;
    CReportViewCtrl list;
    HWND hwnd = nullptr;
    HWND editor = nullptr;
    HWND spin = nullptr;
    Option text{2, 0, 10, 0, 0};
    Option number{1, -99999, 99999, 0, 0};
    Option fixed{0, 0, 4, 0, 0};
};

TEST_F(ReportViewTest, AttachingMakesRowsOfCellsWithOneSelectionAndAHiddenEditor) {
    EXPECT_FALSE(list.m_bModified);
    AddColumns();
    AddRows();
    // Rows of cells: a point in the last column of a row hits the row.
    LVHITTESTINFO hit{};
    hit.pt = CellCentre(1, 2);
    EXPECT_EQ(::SendMessageW(hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    // One selected row at a time, kept shown without the focus, gridlines,
    // and the check boxes of the template gone.
    LVITEMW select{};
    select.stateMask = select.state = LVIS_SELECTED;
    ::SendMessageW(hwnd, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&select));
    ::SendMessageW(hwnd, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&select));
    EXPECT_EQ(::SendMessageW(hwnd, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_EQ(Selected(), 2);
    EXPECT_TRUE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & LVS_SHOWSELALWAYS);
    EXPECT_EQ(list.GetExtendedStyle(), static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));

    ASSERT_NE(editor, nullptr);
    ASSERT_NE(spin, nullptr);
    EXPECT_FALSE(::IsWindowVisible(editor));
    EXPECT_FALSE(::IsWindowVisible(spin));
    EXPECT_EQ(::SendMessageW(editor, EM_GETMARGINS, 0, 0), MAKELONG(2, 1));
    EXPECT_EQ(::SendMessageW(spin, UDM_GETBASE, 0, 0), 10);
}

TEST_F(ReportViewTest, ColumnWidthsFromTheFontAndTheLayoutOfSixHundredPixels) {
    Option t = text;
    EXPECT_EQ(list.ComputeColumnWidth(t), 132);
    EXPECT_EQ(t.nMinWidth, 79);
    EXPECT_EQ(t.nMaxWidth, 211);
    Option n = number;
    EXPECT_EQ(list.ComputeColumnWidth(n), 50);

    Option two[] = {text, number};
    for (int i = 0; i < 2; ++i) {
        const int at = list.InsertColumn(i, L"c", LVCFMT_LEFT, list.ComputeColumnWidth(two[i]));
        list.InsertColumnEditOption(at, two[i]);
    }
    EXPECT_EQ(list.GetColumnWidth(0), 132);
    EXPECT_EQ(list.GetColumnWidth(1), 50);

    ::MoveWindow(hwnd, 10, 10, 600, 200, TRUE);
    EXPECT_EQ(list.GetColumnWidth(0), 325);
    EXPECT_EQ(list.GetColumnWidth(1), 243);
    // A move without a new size lays nothing out.
    list.SetColumnWidth(0, 140);
    ::SetWindowPos(hwnd, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(list.GetColumnWidth(0), 140);
}

TEST_F(ReportViewTest, HeaderDragStopsAtTheLimits) {
    AddColumns();
    HWND header = list.GetHeaderCtrl();
    // The header's own notice, as a drag sends it.
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = 10;
    NMHEADERW notice{};
    notice.hdr = {header, static_cast<UINT_PTR>(::GetDlgCtrlID(header)), HDN_ITEMCHANGINGW};
    notice.iItem = 0;
    notice.pitem = &item;
    ::SendMessageW(hwnd, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(item.cxy, 79);
    item.cxy = 500;
    ::SendMessageW(hwnd, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(item.cxy, 211);
    item.cxy = 100;
    ::SendMessageW(hwnd, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(item.cxy, 100);
    // A column past the options has no limits.
    notice.iItem = 5;
    item.cxy = 1;
    ::SendMessageW(hwnd, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(item.cxy, 1);

    // The layout itself is not held to the drag limits.
    ::MoveWindow(hwnd, 10, 10, 600, 200, TRUE);
    EXPECT_GT(list.GetColumnWidth(0), 211);
}

TEST_F(ReportViewTest, EditorOverColumnZero) {
    AddColumns();
    AddRows();
    list.BeginCellEdit(1, 0, text);
    ASSERT_EQ(host.CountNotifications(RVN_BEGINCELLEDIT), 1);
    const auto& request = host.notifications.back();
    EXPECT_EQ(request.id, kListId);
    EXPECT_EQ(request.from, hwnd);
    EXPECT_EQ(request.item, 1);
    EXPECT_EQ(request.subItem, 0);

    ASSERT_TRUE(EditorVisible());
    EXPECT_FALSE(::IsWindowVisible(spin));
    const RECT row = Cell(1, 0);
    const RECT next = Cell(1, 1);
    const RECT r = ChildRect(editor);
    EXPECT_EQ(r.left, row.left + 1);
    EXPECT_EQ(r.right, next.left - 1);
    EXPECT_EQ(r.top, row.top - 2);
    EXPECT_EQ(r.bottom, row.bottom + 1);
    EXPECT_EQ(TextOf(editor), L"beta");
    EXPECT_EQ(::GetFocus(), editor);
    DWORD start = 9, end = 9;
    ::SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);
    EXPECT_EQ(::SendMessageW(editor, EM_GETLIMITTEXT, 0, 0), 10);
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(editor, WM_GETFONT, 0, 0)), font.get());
}

TEST_F(ReportViewTest, IntegerCellsGetTheSpin) {
    AddColumns();
    AddRows();
    list.BeginCellEdit(0, 1, number);
    ASSERT_TRUE(EditorVisible());
    ASSERT_TRUE(::IsWindowVisible(spin));
    EXPECT_EQ(reinterpret_cast<HWND>(::SendMessageW(spin, UDM_GETBUDDY, 0, 0)), editor);
    int low = 0, high = 0;
    ::SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, -99999);
    EXPECT_EQ(high, 99999);
    EXPECT_TRUE(::GetWindowLongPtrW(editor, GWL_STYLE) & ES_NUMBER);
    // Editor and spin together fill the cell widened by its height.
    const RECT cell = Cell(0, 1);
    const int height = cell.bottom - cell.top + 3;
    EXPECT_EQ(ChildRect(editor).left, cell.left + 1);
    // The spin sits on the widened rectangle's right side (the platform may
    // overlap the editor's border by a pixel or two).
    EXPECT_NEAR(ChildRect(spin).right, cell.right - 1 + height, 2);
    EXPECT_LE(ChildRect(editor).right, ChildRect(spin).left + 2);

    TypeText(host, editor, L"5000000");
    EXPECT_EQ(TextOf(editor), L"99999");
    PressKey(host, editor, VK_RETURN);
    EXPECT_FALSE(EditorVisible());
    EXPECT_FALSE(::IsWindowVisible(spin));
    EXPECT_EQ(ItemText(0, 1), L"99999");
    EXPECT_EQ(CellChanges(), 1);
}

TEST_F(ReportViewTest, CommitOnlyOnARealChange) {
    AddColumns();
    AddRows();
    list.BeginCellEdit(0, 0, text);
    PressKey(host, editor, VK_RETURN);
    EXPECT_FALSE(EditorVisible());
    EXPECT_EQ(CellChanges(), 0);
    EXPECT_FALSE(list.m_bModified);

    // Retyping the same text is no change either.
    list.BeginCellEdit(0, 0, text);
    TypeText(host, editor, L"alpha");
    PressKey(host, editor, VK_RETURN);
    EXPECT_EQ(CellChanges(), 0);
    EXPECT_FALSE(list.m_bModified);

    list.BeginCellEdit(2, 0, text);
    TypeText(host, editor, L"delta");
    PressKey(host, editor, VK_RETURN);
    EXPECT_EQ(ItemText(2, 0), L"delta");
    EXPECT_TRUE(list.m_bModified);
    ASSERT_EQ(CellChanges(), 1);
    const auto change = std::find_if(host.notifications.begin(), host.notifications.end(), [](const auto& n) {
        return n.code == static_cast<int>(LVN_ITEMCHANGED) && n.param == 0;
    });
    ASSERT_NE(change, host.notifications.end());
    EXPECT_EQ(change->item, 2);
    EXPECT_EQ(change->subItem, 0);
    EXPECT_EQ(change->id, kListId);
    EXPECT_EQ(change->from, hwnd);
}

TEST_F(ReportViewTest, EscapeDiscards) {
    AddColumns();
    AddRows();
    list.BeginCellEdit(1, 0, text);
    TypeText(host, editor, L"zzz");
    EXPECT_EQ(TextOf(editor), L"zzz");
    PressKey(host, editor, VK_ESCAPE);
    host.Pump(20);
    EXPECT_FALSE(EditorVisible());
    EXPECT_EQ(ItemText(1, 0), L"beta");
    EXPECT_EQ(CellChanges(), 0);
    EXPECT_FALSE(list.m_bModified);

    // EndCellEdit(false) from the parent does the same.
    list.BeginCellEdit(1, 0, text);
    ::SetWindowTextW(editor, L"other");
    list.EndCellEdit(false);
    EXPECT_EQ(ItemText(1, 0), L"beta");
    EXPECT_EQ(CellChanges(), 0);
}

TEST_F(ReportViewTest, FocusLossCommitsOnce) {
    AddColumns();
    AddRows();
    list.BeginCellEdit(0, 0, text);
    ::SetWindowTextW(editor, L"focus");
    ::SetFocus(hwnd);
    host.Pump(20);
    EXPECT_FALSE(EditorVisible());
    EXPECT_EQ(ItemText(0, 0), L"focus");
    EXPECT_EQ(CellChanges(), 1);
    list.EndCellEdit(true);
    EXPECT_EQ(CellChanges(), 1);
}

TEST_F(ReportViewTest, OpeningAndClosingNormalisesTheCell) {
    AddColumns();
    AddRows();
    // Tabs show as spaces; a cell that differs only by its tabs keeps them.
    list.SetItemText(0, 0, L"a\tb");
    list.BeginCellEdit(0, 0, text);
    EXPECT_EQ(TextOf(editor), L"a b");
    PressKey(host, editor, VK_RETURN);
    EXPECT_EQ(ItemText(0, 0), L"a\tb");
    EXPECT_EQ(CellChanges(), 0);

    // Spaces around the text are trimmed, a long text is cut to nMax.
    list.SetItemText(1, 0, L" x ");
    list.BeginCellEdit(1, 0, text);
    PressKey(host, editor, VK_RETURN);
    EXPECT_EQ(ItemText(1, 0), L"x");
    list.SetItemText(2, 0, L"abcdefghijklmn");
    list.BeginCellEdit(2, 0, text);
    PressKey(host, editor, VK_RETURN);
    EXPECT_EQ(ItemText(2, 0), L"abcdefghij");

    // An empty integer cell whose range leaves out 0 gets the nearest bound.
    const Option positive{1, 1, 100, 0, 0};
    list.SetItemText(0, 1, L"");
    list.BeginCellEdit(0, 1, positive);
    PressKey(host, editor, VK_RETURN);
    EXPECT_EQ(ItemText(0, 1), L"1");
    EXPECT_EQ(CellChanges(), 3);
    EXPECT_TRUE(list.m_bModified);
}

TEST_F(ReportViewTest, RefusedOrFixedCellsOpenNothing) {
    AddColumns();
    AddRows();
    host.allowEdit = false;
    list.BeginCellEdit(0, 0, text);
    EXPECT_EQ(host.CountNotifications(RVN_BEGINCELLEDIT), 1);
    EXPECT_FALSE(EditorVisible());
    host.allowEdit = true;
    list.BeginCellEdit(0, 2, fixed);
    EXPECT_EQ(host.CountNotifications(RVN_BEGINCELLEDIT), 1); // not even asked
    EXPECT_FALSE(EditorVisible());
}

TEST_F(ReportViewTest, DoubleClicks) {
    AddColumns();
    AddRows();
    const auto doubleClick = [&](int row, int column) {
        const POINT pt = CellCentre(row, column);
        ::SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        host.Pump(0);
    };
    // A fixed column: no editor, the parent gets the double-click.
    doubleClick(1, 2);
    EXPECT_FALSE(EditorVisible());
    EXPECT_EQ(host.CountNotifications(NM_DBLCLK), 1);

    // Shift held: nothing at all.
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    BYTE shifted[256];
    std::copy(std::begin(keys), std::end(keys), shifted);
    shifted[VK_SHIFT] = 0x80;
    ::SetKeyboardState(shifted);
    doubleClick(1, 0);
    ::SetKeyboardState(keys);
    EXPECT_FALSE(EditorVisible());
    EXPECT_EQ(host.CountNotifications(NM_DBLCLK), 1);
    EXPECT_EQ(host.CountNotifications(RVN_BEGINCELLEDIT), 0);

    // An editable cell opens the editor; the parent sees no double-click.
    doubleClick(1, 0);
    EXPECT_TRUE(EditorVisible());
    EXPECT_EQ(host.CountNotifications(NM_DBLCLK), 1);
    EXPECT_EQ(TextOf(editor), L"beta");
}

TEST_F(ReportViewTest, CopyMenuOnTextCells) {
    AddColumns();
    AddRows();
    list.SetItemText(1, 0, L"コピー元 text");
    ASSERT_TRUE(controls_test::SetClipboardText(host.m_hWnd, L"before"));

    const auto rightClick = [&](int row, int column) {
        NMITEMACTIVATE click{};
        click.hdr = {hwnd, kListId, static_cast<UINT>(NM_RCLICK)};
        click.iItem = row;
        click.iSubItem = column;
        click.ptAction = CellCentre(row, column);
        ::SendMessageW(host.m_hWnd, WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(&click));
    };

    std::wstring itemText;
    UINT itemId = 0;
    bool shown = false;
    {
        controls_test::ModalDriver driver([&] {
            HWND menu = test_support::FindThreadWindow(L"#32768");
            if (!menu)
                return false;
            shown = true;
            HMENU handle = reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0));
            wchar_t buffer[64] = {};
            ::GetMenuStringW(handle, 0, buffer, 64, MF_BYPOSITION);
            itemText = buffer;
            itemId = ::GetMenuItemID(handle, 0);
            ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
            return true;
        });
        rightClick(1, 0);
    }
    ASSERT_TRUE(shown);
    EXPECT_EQ(itemText, L"コピー(&C)");
    EXPECT_EQ(itemId, 57634u);
    EXPECT_EQ(controls_test::ClipboardText(host.m_hWnd), L"コピー元 text");
    EXPECT_EQ(host.CountNotifications(NM_RCLICK), 0);

    // Integer and fixed cells show no menu.
    ASSERT_TRUE(controls_test::SetClipboardText(host.m_hWnd, L"before"));
    shown = false;
    {
        controls_test::ModalDriver driver([&] {
            if (HWND menu = test_support::FindThreadWindow(L"#32768")) {
                shown = true;
                ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
                return true;
            }
            return false;
        });
        rightClick(1, 1);
        rightClick(1, 2);
        host.Pump(100);
    }
    EXPECT_FALSE(shown);
    EXPECT_EQ(controls_test::ClipboardText(host.m_hWnd), L"before");
}

TEST_F(ReportViewTest, CopyTextToClipboardPlacesExactlyTheText) {
    unique_clipboard clipboard = OpenClipboardFor(host.m_hWnd);
    ASSERT_TRUE(clipboard);
    EXPECT_TRUE(CReportViewCtrl::CopyTextToClipboard(std::move(clipboard), L"1920\t1080 メモ"));
    // The clipboard was closed: it opens again.
    EXPECT_EQ(controls_test::ClipboardText(host.m_hWnd), L"1920\t1080 メモ");
}

TEST_F(ReportViewTest, RowInsertsAndDuplicates) {
    AddColumns();
    EXPECT_EQ(list.AppendRow(7, L"a", {L"1", nullptr}), 0);
    EXPECT_TRUE(list.m_bModified);
    EXPECT_EQ(list.InsertRowAtTop(0, L"top", {L"2"}), 0);
    EXPECT_EQ(list.InsertRow(1, 9, L"mid", {nullptr, L"m"}), 1);
    EXPECT_EQ(ItemText(0, 0), L"top");
    EXPECT_EQ(ItemText(1, 0), L"mid");
    EXPECT_EQ(ItemText(1, 1), L"");
    EXPECT_EQ(ItemText(1, 2), L"m");
    EXPECT_EQ(ItemText(2, 1), L"1");
    EXPECT_EQ(ItemText(2, 2), L"");
    EXPECT_EQ(list.GetItemData(1), 9u);
    EXPECT_EQ(list.GetItemData(2), 7u);

    list.m_bModified = false;
    EXPECT_EQ(list.DuplicateSelected(), -1);
    EXPECT_FALSE(list.m_bModified);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.DuplicateSelected(), 2);
    EXPECT_TRUE(list.m_bModified);
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(ItemText(2, 0), L"mid");
    EXPECT_EQ(ItemText(2, 2), L"m");
    EXPECT_EQ(list.GetItemData(2), 9u);
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(list.GetNextItem(2, LVNI_SELECTED), -1);
}

TEST_F(ReportViewTest, RowMovesKeepTheSelectionAndTheFlag) {
    AddColumns();
    AddRows();
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    list.MoveSelectedUp(false);
    EXPECT_FALSE(list.m_bModified);
    EXPECT_EQ(ItemText(1, 0), L"gamma");
    EXPECT_EQ(ItemText(1, 2), L"c");
    EXPECT_EQ(list.GetItemData(1), 103u);
    EXPECT_EQ(ItemText(2, 0), L"beta");
    EXPECT_EQ(Selected(), 1);
    EXPECT_TRUE(list.GetItemState(1, LVIS_FOCUSED) & LVIS_FOCUSED);

    list.MoveSelectedUp(true);
    EXPECT_TRUE(list.m_bModified);
    EXPECT_EQ(ItemText(0, 0), L"gamma");
    EXPECT_EQ(Selected(), 0);

    // The first row cannot go up: nothing changes, not even the flag.
    list.m_bModified = false;
    list.MoveSelectedUp(true);
    EXPECT_FALSE(list.m_bModified);
    EXPECT_EQ(ItemText(0, 0), L"gamma");

    list.MoveSelectedDown(true);
    EXPECT_TRUE(list.m_bModified);
    EXPECT_EQ(ItemText(0, 0), L"alpha");
    EXPECT_EQ(ItemText(1, 0), L"gamma");
    EXPECT_EQ(list.GetItemData(1), 103u);
    EXPECT_EQ(Selected(), 1);
    list.MoveSelectedDown(true);
    EXPECT_EQ(Selected(), 2);

    list.m_bModified = false;
    list.MoveSelectedDown(true);
    EXPECT_FALSE(list.m_bModified);
    EXPECT_EQ(ItemText(2, 0), L"gamma");
    EXPECT_EQ(list.GetItemCount(), 3);
}

TEST_F(ReportViewTest, DeletesSelectTheRowThatTakesThePlace) {
    AddColumns();
    AddRows();
    EXPECT_TRUE(list.DeleteRow(0, false));
    EXPECT_FALSE(list.m_bModified);
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(ItemText(0, 0), L"beta");

    EXPECT_TRUE(list.DeleteRow(1, true));
    EXPECT_TRUE(list.m_bModified);
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(list.GetItemCount(), 1);

    EXPECT_TRUE(list.DeleteRow(0, true));
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(Selected(), -1);
    EXPECT_FALSE(list.DeleteRow(0, true));
}

TEST_F(ReportViewTest, WithoutColumnOptionsNothingFails) {
    list.InsertColumn(0, L"x", LVCFMT_LEFT, 80);
    list.AppendRow(5, L"row");
    ::MoveWindow(hwnd, 10, 10, 420, 150, TRUE);
    list.LayoutColumns();
    EXPECT_EQ(list.GetColumnWidth(0), 80);
    const POINT pt = CellCentre(0, 0);
    ::SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    host.Pump(0);
    EXPECT_FALSE(EditorVisible());
    EXPECT_EQ(host.CountNotifications(NM_DBLCLK), 0);
}

// An open editor is committed before a header click or a click on the list's
// frame takes effect.
TEST_F(ReportViewTest, HeaderAndFrameClicksCommitTheEdit) {
    AddColumns();
    AddRows();
    HWND header = reinterpret_cast<HWND>(::SendMessageW(hwnd, LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);

    list.BeginCellEdit(0, 0, text);
    TypeText(host, editor, L"header");
    ::PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    host.Pump(0);
    EXPECT_FALSE(EditorVisible());
    EXPECT_EQ(ItemText(0, 0), L"header");

    list.BeginCellEdit(1, 0, text);
    TypeText(host, editor, L"frame");
    ::PostMessageW(hwnd, WM_NCLBUTTONDOWN, HTBORDER, 0);
    host.Pump(0);
    EXPECT_FALSE(EditorVisible());
    EXPECT_EQ(ItemText(1, 0), L"frame");
    EXPECT_EQ(CellChanges(), 2);
}

} // namespace
