#include "sizelist/CSizeListFormat.h"

#include "sizelist/CSizeInfoRules.h"

namespace {

constexpr std::u16string_view kHeader =
    u"# Frimlet2「枠のサイズ選択」リスト用のデータファイルです。\r\n# x,y,幅,高さ,メモ\r\n";
constexpr std::u16string_view kColumnNames = u"x,y,幅,高さ,メモ";

std::u16string ToText(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

char16_t FoldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

enum class Problem { TooLong, WrongValue };

void AppendRejection(std::u16string& messages, int line, int column, Problem problem,
                     const std::u16string& record) {
    messages += u"  ";
    messages += ToText(line);
    messages += u"行目";
    messages += ToText(column);
    messages +=
        problem == Problem::TooLong ? u"カラム目の桁数が多すぎます：" : u"カラム目の値に誤りがあります：";
    messages += record;
    messages += u"\r\n";
}

} // namespace

std::u16string_view CSizeListFormat::Header() {
    return kHeader;
}

std::u16string CSizeListFormat::FormatLine(const tagSELECT_SIZE_INFO& entry) {
    const std::u16string memo = CSizeInfoRules::CleanMemo(entry.szMemo);
    std::u16string line = CSizeInfoRules::LeadingFields(entry);
    if (memo.find_first_of(u",\"") != std::u16string::npos) {
        line += u'"';
        for (char16_t c : memo) {
            if (c == u'"') {
                line += u'"';
            }
            line += c;
        }
        line += u'"';
    } else {
        line += memo;
    }
    line += u"\r\n";
    return line;
}

bool CSizeListFormat::IsHeaderLine(std::u16string_view recordText) {
    std::u16string text;
    for (char16_t c : recordText.substr(0, 30)) {
        if (c != u'"') {
            text += FoldAscii(c);
        }
    }
    return text == kColumnNames;
}

int CSizeListFormat::ReadRecords(CCsvTokenizer& csv, int bOwn, std::vector<tagSELECT_SIZE_INFO>& list,
                                 std::u16string& messages, bool* tooManyRecords) {
    int errors = 0, loaded = 0, records = 0;
    if (tooManyRecords) {
        *tooManyRecords = false;
    }
    while (csv.NextRecord()) {
        if (++records > kMaxRecords) {
            if (tooManyRecords) {
                *tooManyRecords = true;
            }
            break;
        }
        tagSELECT_SIZE_INFO entry{};
        entry.bOwn = bOwn;
        if (errors >= kMaxErrors) {
            messages += u"エラーが多すぎるため処理を中断します。\r\n";
            break;
        }

        // Reads one column; false when the record was rejected, or skipped as
        // the column header.
        auto column = [&](int number, char16_t* field, int size, bool extent) {
            const int length = csv.ReadField(field, size, false);
            Problem problem;
            if (length < 0) {
                problem = Problem::TooLong;
            } else if (extent ? CSizeInfoRules::IsValidExtent(field)
                              : CSizeInfoRules::IsValidPosition(field)) {
                return true;
            } else {
                problem = Problem::WrongValue;
            }
            std::u16string record;
            csv.GetRecordText(record);
            if (number == 1 && problem == Problem::WrongValue && (field[0] == u'x' || field[0] == u'X') &&
                IsHeaderLine(record)) {
                return false;
            }
            ++errors;
            AppendRejection(messages, csv.GetLine(), number, problem, record);
            return false;
        };
        if (!column(1, entry.szX, 7, false) || !column(2, entry.szY, 7, false) ||
            !column(3, entry.szWidth, 6, true) || !column(4, entry.szHeight, 6, true)) {
            continue;
        }
        // The memo is cut to 20 characters, at a code point: one unit more is
        // read so that the cut can tell a pair from a lone half.
        char16_t memo[22] = {};
        csv.ReadField(memo, 22, true);
        CSizeInfoRules::CopyMemo(entry.szMemo, 21, memo);
        list.push_back(entry);
        ++loaded;
    }
    return errors > 0 ? -errors : loaded;
}
