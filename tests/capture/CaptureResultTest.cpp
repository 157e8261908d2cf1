// What the size label's tooltip says after a failed capture: the step, the
// path, the system's own reason, and the hint on Windows security where a
// protected folder refused the file.
#include "capture/CaptureResult.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Text(UINT id, const std::wstring& path = L"") {
    CString format, text;
    format.LoadString(id);
    text.Format(format, path.c_str());
    return text.str();
}

bool Has(const CString& text, const std::wstring& part) {
    return !part.empty() && text.str().find(part) != std::wstring::npos;
}

TEST(CaptureResultTest, TheExplanationNamesTheStepThePathAndTheSystemsReason) {
    using Step = CaptureResult::Step;
    const std::wstring pictures = L"C:\\Users\\u\\Pictures";
    const std::wstring inPictures = pictures + L"\\Frimlet2\\a.png";
    const std::wstring elsewhere = L"D:\\captures\\a.png";
    const struct {
        Step step;
        int code;
        DWORD error;
        std::wstring path;
        UINT sentence;
        bool securityHint;
    } cases[] = {
        {Step::File, -3, ERROR_ACCESS_DENIED, inPictures, IDS_FAIL_FILE, true},
        {Step::File, -3, ERROR_ACCESS_DENIED, elsewhere, IDS_FAIL_FILE, false},
        {Step::File, -6, ERROR_DISK_FULL, inPictures, IDS_FAIL_FILE, false},
        {Step::Folder, -3, ERROR_PATH_NOT_FOUND, L"X:\\gone", IDS_FAIL_FOLDER, false},
        {Step::Folder, -3, static_cast<DWORD>(E_ACCESSDENIED), pictures + L"\\New", IDS_FAIL_FOLDER, true},
        {Step::Encoder, -4, static_cast<DWORD>(E_OUTOFMEMORY), elsewhere, IDS_FAIL_ENCODER, false},
        {Step::None, 0, 0, elsewhere, IDS_FAIL_ENCODER, false}, // nothing written
        {Step::Screen, -2, 0, elsewhere, IDS_FAIL_SCREEN, false},
        {Step::Clipboard, 4096, ERROR_ACCESS_DENIED, L"", IDS_FAIL_CLIPBOARD, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.step) << " " << c.error);
        CaptureResult result;
        result.code = c.code;
        result.Fail(c.step, c.error, c.path);
        const CString text = ExplainCaptureResult(result, {L"C:\\Users\\u\\Documents", pictures + L"\\"});
        EXPECT_TRUE(Has(text, Text(c.sentence, c.path))) << text.str();
        if (c.error) {
            EXPECT_TRUE(Has(text, SystemErrorText(c.error).str())) << text.str();
        }
        EXPECT_EQ(Has(text, Text(IDS_FAIL_PROTECTED_FOLDER)), c.securityHint) << text.str();
    }
    CaptureResult written;
    written.code = 1234;
    EXPECT_TRUE(ExplainCaptureResult(written, {}).IsEmpty());
}

TEST(CaptureResultTest, SystemTextsHaveNoTrailingLineBreak) {
    for (DWORD error : {ERROR_ACCESS_DENIED, ERROR_PATH_NOT_FOUND, ERROR_DISK_FULL}) {
        const std::wstring text = SystemErrorText(error).str();
        ASSERT_FALSE(text.empty()) << error;
        EXPECT_NE(text.back(), L'\n');
    }
    EXPECT_TRUE(SystemErrorText(0).IsEmpty());
}

} // namespace
