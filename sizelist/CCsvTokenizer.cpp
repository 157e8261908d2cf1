#include "sizelist/CCsvTokenizer.h"

#include <algorithm>

namespace {

bool IsLineEndOrNul(char16_t c) {
    return c == u'\0' || c == u'\r' || c == u'\n';
}

} // namespace

const char16_t* CCsvTokenizer::NoFieldYet() {
    static const char16_t marker = 0;
    return &marker;
}

CCsvTokenizer::CCsvTokenizer() {
    Reset();
}

void CCsvTokenizer::Reset() {
    m_pText = m_pEnd = nullptr;
    m_nLine = -1;
    m_nLineEnds = 0;
    m_pRecord = nullptr;
    m_pField = NoFieldYet();
    m_pCursor = nullptr;
    m_bQuoted = false;
    m_nFieldEnd = 0;
    m_nSepLen = 0;
    m_bEndOfRecord = true;
    m_bFinished = false;
}

void CCsvTokenizer::SetText(const char16_t* text, std::int32_t length) {
    Reset();
    m_pText = text;
    m_pEnd = text ? text + std::max<std::int32_t>(length, 0) : nullptr;
}

// Moves the cursor behind the end of the current record: the line end of the
// current line (CR LF, LF or a lone CR), a NUL, or the end of the text.
void CCsvTokenizer::SkipLineEnd() {
    while (m_pCursor < m_pEnd && !IsLineEndOrNul(*m_pCursor)) {
        ++m_pCursor;
    }
    if (m_pCursor < m_pEnd && *m_pCursor == u'\0') {
        ++m_pCursor; // the rest of the line is a record of its own
        return;
    }
    bool lineEnd = false;
    if (At(m_pCursor) == u'\r') {
        ++m_pCursor;
        lineEnd = true;
    }
    if (At(m_pCursor) == u'\n') {
        ++m_pCursor;
        lineEnd = true;
    }
    if (lineEnd) {
        ++m_nLineEnds;
    }
}

const char16_t* CCsvTokenizer::NextRecord() {
    if (m_bFinished || !m_pText) {
        return nullptr;
    }
    if (!m_pCursor) {
        m_pCursor = m_pText;
        m_nLine = 0;
        m_nLineEnds = 0;
    }
    if (!m_bEndOfRecord && m_pCursor < m_pEnd) {
        SkipLineEnd();
    }
    m_bEndOfRecord = false;

    // Blank lines, comments and NUL characters. Every line end is counted:
    // an LF, and a CR that no LF follows.
    bool inComment = false;
    while (m_pCursor < m_pEnd) {
        const char16_t c = *m_pCursor;
        if (c == u'\r') {
            inComment = false;
            if (At(m_pCursor + 1) != u'\n') {
                ++m_nLineEnds;
            }
        } else if (c == u'\n') {
            inComment = false;
            ++m_nLineEnds;
        } else if (c == u'#' && m_bSkipComments) {
            inComment = true;
        } else if (c != u'\0' && !inComment) {
            break;
        }
        ++m_pCursor;
    }
    if (m_nLine >= 0) {
        m_nLine = m_nLineEnds + 1;
    }

    if (m_pCursor >= m_pEnd) {
        m_pCursor = nullptr;
        m_bFinished = true;
    }
    m_pRecord = m_pCursor;
    m_pField = NoFieldYet();
    return m_pCursor;
}

int CCsvTokenizer::ReadField(char16_t* buffer, int size, bool allowTruncation) {
    if (m_bEndOfRecord && !m_pField) {
        return 0;
    }
    if (!m_pCursor) {
        return 0;
    }
    const char16_t* const c = m_pCursor;
    m_bQuoted = At(c) == u'"';
    const int openingQuote = m_bQuoted ? 1 : 0;
    m_nSepLen = 0;
    m_nFieldEnd = static_cast<int>(m_pEnd - c);
    int pairs = 0;
    for (int i = openingQuote; i < m_nFieldEnd;) {
        const char16_t ch = c[i];
        const char16_t next = At(c + i + 1);
        if (IsLineEndOrNul(ch)) {
            m_nFieldEnd = i;
            break;
        }
        if (ch == u',' && !m_bQuoted) {
            m_nFieldEnd = i;
            m_nSepLen = 1;
            break;
        }
        if (ch == u'"' && m_bQuoted) {
            if (next == u'"') {
                ++pairs;
                i += 2;
                continue;
            }
            if (next == u',') {
                m_nFieldEnd = i;
                m_nSepLen = 2;
                break;
            }
            if (IsLineEndOrNul(next)) {
                m_nFieldEnd = i;
                m_nSepLen = 1;
                break;
            }
        }
        ++i;
    }

    const int raw = m_nFieldEnd - openingQuote;
    const int length = raw - pairs;
    if (!buffer) {
        return length;
    }
    if (size < length + 1 && !allowTruncation) {
        return -length;
    }

    m_pField = c;
    if (size > 0) {
        const char16_t* src = c + openingQuote;
        const char16_t* const srcEnd = src + raw;
        int out = 0;
        while (src < srcEnd && out < size - 1) {
            if (m_bQuoted && *src == u'"' && src + 1 < srcEnd && src[1] == u'"') {
                ++src; // a doubled quote stands for one
            }
            buffer[out++] = *src++;
        }
        buffer[out] = u'\0';
    }

    m_pCursor = c + m_nFieldEnd + m_nSepLen;
    if (At(m_pCursor) == u'\r') {
        ++m_pCursor;
        m_bEndOfRecord = true;
    }
    if (At(m_pCursor) == u'\n') {
        ++m_pCursor;
        m_bEndOfRecord = true;
    }
    if (m_bEndOfRecord) {
        ++m_nLineEnds;
    } else if (At(m_pCursor) == u'\0') {
        // The end of the text, or a NUL character inside it, which ends the
        // record and is stepped over so that reading goes on behind it, on
        // the same line.
        if (m_pCursor < m_pEnd) {
            ++m_pCursor;
        }
        m_bEndOfRecord = true;
    }
    if (m_bEndOfRecord) {
        m_pField = nullptr;
    }
    return length;
}

bool CCsvTokenizer::GetRecordText(std::u16string& out) const {
    if (!m_pRecord) {
        return false;
    }
    const char16_t* p = m_pRecord;
    while (p < m_pEnd && p - m_pRecord < 30 && !IsLineEndOrNul(*p)) {
        ++p;
    }
    out.assign(m_pRecord, p);
    return true;
}
