// A text file read as comma-separated records: the text of CTextFile with the
// record and field reader of CCsvTokenizer over it. Comments are skipped.
#pragma once

#include "sizelist/CCsvTokenizer.h"
#include "sizelist/CTextFile.h"

class CSmallCsvFile : public CTextFile {
public:
    CSmallCsvFile() = default;

    // The first character of the next record, or null when there is none.
    const wchar_t* NextRecord();
    // The next field of the current record (see CCsvTokenizer::ReadField).
    int ReadField(wchar_t* buffer, int size, bool allowTruncation);
    // Up to 30 characters of the current record; out stays when there is none.
    void GetRecordText(CString& out) const;

    // The record reader over the text that ReadAll decoded.
    CCsvTokenizer& Records();

protected:
    void OnOpen(const wchar_t* path) override;
    void OnClose(int released) override;

private:
    void ResetReading();

    CCsvTokenizer m_records;
    bool m_bTextBound = false;
};
