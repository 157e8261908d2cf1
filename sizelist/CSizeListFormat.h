#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sizelist/CCsvTokenizer.h"
#include "sizelist/SelectSizeInfo.h"

// The comma-separated file format of size lists: the header that exported
// files begin with, the line of one entry, and the reading of records into
// entries with a message for every rejected line.
class CSizeListFormat {
public:
    // The two comment lines at the top of every written file.
    static std::u16string_view Header();

    // One line of a written file, CR LF included. The memo is put in double
    // quotes, with its double quotes doubled, when it holds a comma or a
    // double quote; TABs in it become spaces.
    static std::u16string FormatLine(const tagSELECT_SIZE_INFO& entry);

    // Whether a record text (as GetRecordText gives it) is the column header
    // x,y,幅,高さ,メモ, quotes and letter case aside.
    static bool IsHeaderLine(std::u16string_view recordText);

    // Reads every record of csv into entries appended to list, with bOwn set
    // as given. Every rejected line appends a message with its line number and
    // text; after 20 rejected lines reading stops at the next record. Returns
    // the number of entries appended when no line was rejected, otherwise
    // minus the number of rejected lines. Reading stops after kMaxRecords
    // records; tooManyRecords (when given) then tells that records were left.
    static int ReadRecords(CCsvTokenizer& csv, int bOwn, std::vector<tagSELECT_SIZE_INFO>& list,
                           std::u16string& messages, bool* tooManyRecords = nullptr);

    static constexpr int kMaxErrors = 20;
    // A list far longer than anyone picks from: a huge file stops here
    // instead of filling the dialog for minutes.
    static constexpr int kMaxRecords = 10000;
};
