#pragma once

#include <cstdint>
#include <string>

// Record and field reader over a decoded text of comma-separated lines. Lines
// end with CR LF, LF or CR; lines that begin with '#' are comments; blank lines
// are skipped. A field that begins with a double quote ends at the next double
// quote followed by a comma, a line end or the end of the text, and two double
// quotes in it stand for one; no field spans lines. A NUL character ends the
// record it stands in; what follows it on the same line is read as a record
// of that line, and a NUL on its own makes no record.
class CCsvTokenizer {
public:
    CCsvTokenizer();

    // Forgets the text and the reading position.
    void Reset();

    // Sets the text to read, length characters from text (a terminator is not
    // needed), and starts again before its first record.
    void SetText(const char16_t* text, std::int32_t length);

    // Moves to the next record: the rest of the current line is skipped, then
    // blank lines and comments. Returns the record's first character, or null
    // when the text has no further record.
    const char16_t* NextRecord();

    // Reads the next field of the current record into buffer (size characters,
    // terminator included). Returns the field's length after unescaping, 0
    // when the record has no further field, or minus the length when the field
    // does not fit and allowTruncation is false: the field is then not
    // consumed and can be read again with a larger buffer. With a null buffer
    // the length is returned and nothing is consumed.
    int ReadField(char16_t* buffer, int size, bool allowTruncation);

    // The current record's text up to its line end, at most 30 characters;
    // false, with out left alone, when there is no current record.
    bool GetRecordText(std::u16string& out) const;

    // Line number of the current record, counting from 1; -1 before the first.
    int GetLine() const { return m_nLine; }

private:
    char16_t At(const char16_t* p) const { return p < m_pEnd ? *p : u'\0'; }
    void SkipLineEnd();

    const char16_t* m_pText = nullptr;
    const char16_t* m_pEnd = nullptr;
    int m_nLine = -1;
    int m_nLineEnds = 0; // line ends passed so far: the next record stands on line m_nLineEnds + 1
    const char16_t* m_pRecord = nullptr;
    const char16_t* m_pField = nullptr; // null: record read to its end; NoFieldYet(): nothing read
    const char16_t* m_pCursor = nullptr;
    bool m_bQuoted = false;
    int m_nFieldEnd = 0;
    int m_nSepLen = 0;
    bool m_bEndOfRecord = true;
    bool m_bSkipComments = true;
    bool m_bFinished = false;

    static const char16_t* NoFieldYet();
};
