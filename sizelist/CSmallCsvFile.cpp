#include "sizelist/CSmallCsvFile.h"

void CSmallCsvFile::ResetReading() {
    m_records.Reset();
    m_bTextBound = false;
}

void CSmallCsvFile::OnOpen(const wchar_t*) {
    ResetReading();
}

void CSmallCsvFile::OnClose(int released) {
    if (released) {
        ResetReading();
    }
}

CCsvTokenizer& CSmallCsvFile::Records() {
    // The text exists only once ReadAll has decoded it, after the handle was
    // closed, so it is bound on first use.
    if (!m_bTextBound) {
        m_records.SetText(reinterpret_cast<const char16_t*>(GetText()), GetTextLength());
        m_bTextBound = true;
    }
    return m_records;
}

const wchar_t* CSmallCsvFile::NextRecord() {
    return reinterpret_cast<const wchar_t*>(Records().NextRecord());
}

int CSmallCsvFile::ReadField(wchar_t* buffer, int size, bool allowTruncation) {
    return Records().ReadField(reinterpret_cast<char16_t*>(buffer), size, allowTruncation);
}

void CSmallCsvFile::GetRecordText(CString& out) const {
    std::u16string text;
    if (m_records.GetRecordText(text)) {
        out = FromU16(text);
    }
}
