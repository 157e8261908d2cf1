// A list control in report view whose cells can be edited in place. Every
// column carries an edit option: not editable, an integer within a range
// (numeric editor with a spin button) or text of limited length. The control
// sizes its columns from its font and width, asks its parent before every
// edit (RVN_BEGINCELLEDIT), reports every committed change (LVN_ITEMCHANGED),
// copies text cells from a context menu and offers row operations that keep
// a modified flag.
#pragma once

#include "controls/CEditEx.h"
#include "controls/ReportViewRules.h"
#include "framework/CListCtrl.h"
#include "framework/CSpinButtonCtrl.h"
#include "framework/CString.h"
#include "framework/Handles.h"

#include <climits>
#include <initializer_list>
#include <vector>

// Sent with WM_NOTIFY before the editor opens on a cell; a nonzero answer
// allows the edit.
constexpr int RVN_BEGINCELLEDIT = -290;

class CReportViewCtrl : public CListCtrl {
public:
    using tagCOLUMN_EDIT_OPTION = controls::tagCOLUMN_EDIT_OPTION;

    // The record of RVN_BEGINCELLEDIT.
    struct NMRVBEGINCELLEDIT {
        NMHDR hdr;
        int nRow;
        int nColumn;
        tagCOLUMN_EDIT_OPTION* pOption;
    };

    static constexpr UINT kCopyCommand = 57634;

    CReportViewCtrl() = default;

    // Base width of a column for the current font, which also stores the
    // drag limits in the option; -1 without a font height or for an unknown
    // kind.
    int ComputeColumnWidth(tagCOLUMN_EDIT_OPTION& option) const;
    // Inserts the option of a new column; an index past the end grows the
    // array with zeroed entries.
    void InsertColumnEditOption(int index, const tagCOLUMN_EDIT_OPTION& option);

    // Row operations. texts hold columns 1 to n-1; a null or missing text
    // leaves its column empty. They return the new row's index or -1.
    int InsertRow(int index, DWORD_PTR itemData, const wchar_t* text0,
                  const std::vector<const wchar_t*>& texts);
    int AppendRow(DWORD_PTR itemData, const wchar_t* text0,
                  std::initializer_list<const wchar_t*> texts = {}) {
        return InsertRow(INT_MAX, itemData, text0, texts);
    }
    int InsertRowAtTop(DWORD_PTR itemData, const wchar_t* text0,
                       std::initializer_list<const wchar_t*> texts = {}) {
        return InsertRow(0, itemData, text0, texts);
    }
    bool DeleteRow(int index, bool markModified);
    void MoveSelectedUp(bool markModified);
    void MoveSelectedDown(bool markModified);
    int DuplicateSelected();

    // Opens the in-place editor on a cell (after asking the parent).
    void BeginCellEdit(int row, int column, const tagCOLUMN_EDIT_OPTION& option);
    // Closes it, committing a changed text (true) or discarding it (false).
    void EndCellEdit(bool commit);
    bool IsEditing() const;

    // Re-reads the font height; true when it changed.
    bool UpdateFontHeight();
    // Shares the layout width out to the columns.
    void LayoutColumns();

    // Puts text on the clipboard, which the caller has opened, as Unicode
    // text; the clipboard is closed on every path.
    static bool CopyTextToClipboard(unique_clipboard clipboard, const wchar_t* text);

    // Set by committed edits, inserts, duplicates and (when asked) deletes and
    // moves; the parent reads and clears it.
    bool m_bModified = false;

    void PreSubclassWindow() override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool PreTranslateMessage(MSG* msg) override;

private:
    void OnWindowPosChanged(const WINDOWPOS& pos);
    BOOL OnDblClk(NMHDR* header, LRESULT* result);
    void OnRClick(NMHDR* header, LRESULT* result);
    void OnEditKillFocus();
    DECLARE_MESSAGE_MAP()

    const tagCOLUMN_EDIT_OPTION* OptionOf(int column) const;
    bool HitCell(POINT pt, int& row, int& column) const;
    void MoveSelected(int delta, bool markModified);
    void CopyRow(int from, int to) const;
    void SelectRow(int row) const;
    void NotifyCellChanged(int row, int column) const;

    int m_nLayoutWidth = 0;
    int m_nEditRow = 0;
    int m_nEditColumn = 0;
    int m_nFontHeight = 0;
    CString m_strStartText;
    HWND m_hHeader = nullptr;
    CEditEx m_edit;
    CSpinButtonCtrl m_spin;
    std::vector<tagCOLUMN_EDIT_OPTION> m_options;
    bool m_bEnding = false;    // EndCellEdit is running
    bool m_bLayingOut = false; // LayoutColumns sets the widths
};
