#include "app/CommandLine.h"

namespace CommandLine {

namespace {
char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}
bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t';
}
} // namespace

bool AsksToOpenFolder(std::u16string_view commandLine) {
    const std::u16string_view wanted = kOpenFolder;
    size_t i = 0;
    while (i < commandLine.size()) {
        while (i < commandLine.size() && IsSpace(commandLine[i]))
            ++i;
        // One word: quoted text (the program's path) runs to its closing quote.
        size_t end = i;
        bool quoted = false;
        while (end < commandLine.size() && (quoted || !IsSpace(commandLine[end]))) {
            if (commandLine[end] == u'"')
                quoted = !quoted;
            ++end;
        }
        const std::u16string_view word = commandLine.substr(i, end - i);
        if (word.size() == wanted.size()) {
            bool same = true;
            for (size_t k = 0; k < word.size() && same; ++k)
                same = Lower(word[k]) == wanted[k];
            if (same)
                return true;
        }
        i = end;
    }
    return false;
}

} // namespace CommandLine
