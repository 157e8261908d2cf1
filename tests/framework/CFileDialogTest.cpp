// The file dialog over the common item dialog: the save dialog's initial
// name, default extension and options, cancelling, and the filter and flag
// conversions. The open dialog and the extra controls (combo box and check
// button, read after the dialog has closed) are driven through the size
// selection dialog's import and export tests.
#include "framework/CFileDialog.h"

#include "framework/ComPtr.h"
#include "tests/framework/UiScript.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const wchar_t kFilter[] = L"csvテキストファイル|*.txt;*.csv|すべてのファイル|*.*||";

class FileDialogTest : public ::testing::Test {
protected:
    ComApartment com{ComApartment::Ole};
    test_support::ScratchFolder temp{L"frimlet-fd-"};
};

} // namespace

TEST_F(FileDialogTest, SaveDialogAddsTheDefaultExtensionAndCancelGivesNoPath) {
    CFileDialog dialog(false, L".txt", L"start", OFN_HIDEREADONLY | OFN_NOCHANGEDIR, kFilter);
    dialog.SetInitialFolder(temp.Path().c_str());
    std::wstring shownName;
    UiScript script({[&] {
        HWND d = ItemDialog::Find();
        if (!d)
            return false;
        shownName = test_support::TextOf(::GetDlgItem(d, ItemDialog::kFileNameEdit));
        ItemDialog::Accept(d, temp.File(L"out").c_str());
        return true;
    }});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shownName, L"start");
    EXPECT_EQ(std::wstring(dialog.GetPathName()), temp.File(L"out.txt"));
    FILEOPENDIALOGOPTIONS options = 0;
    ASSERT_EQ(dialog.GetIFileDialog()->GetOptions(&options), S_OK);
    EXPECT_FALSE(options & FOS_OVERWRITEPROMPT); // not asked for

    UiScript cancel({[&] {
        HWND d = ItemDialog::Find();
        if (!d)
            return false;
        ItemDialog::Cancel(d);
        return true;
    }});
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(cancel.Finished());
    EXPECT_TRUE(dialog.GetPathName().IsEmpty());
}

TEST(FileDialogRules, FilterTextBecomesPairsAndFlagsBecomeOptions) {
    auto pairs = CFileDialog::ParseFilter(kFilter);
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].first, L"csvテキストファイル");
    EXPECT_EQ(pairs[0].second, L"*.txt;*.csv");
    EXPECT_EQ(pairs[1].second, L"*.*");
    EXPECT_EQ(CFileDialog::ParseFilter(L"a|*.a").size(), 1u);     // no closing bars
    EXPECT_EQ(CFileDialog::ParseFilter(L"a|*.a|b||").size(), 1u); // a description without patterns
    EXPECT_TRUE(CFileDialog::ParseFilter(nullptr).empty());

    const FILEOPENDIALOGOPTIONS save = CFileDialog::OptionsFromFlags(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY |
                                                                     OFN_NOCHANGEDIR | OFN_DONTADDTORECENT);
    EXPECT_EQ(save, static_cast<FILEOPENDIALOGOPTIONS>(FOS_OVERWRITEPROMPT | FOS_NOCHANGEDIR |
                                                       FOS_DONTADDTORECENT | FOS_FORCEFILESYSTEM));
}
