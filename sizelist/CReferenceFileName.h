#pragma once

#include <string>
#include <string_view>

// The name of the reference files split into the part that is searched for
// and its extension (".txt" when the name has none).
class CReferenceFileName {
public:
    struct Parts {
        std::u16string name;      // the name without its extension
        std::u16string extension; // the dot included
        bool isPath = false;      // a backslash behind the first character: one path, not three folders
    };

    // "list" gives list and .txt, "*.csv" gives * and .csv, "dir.old\list"
    // keeps .txt because its dot stands before the last backslash.
    static Parts Split(std::u16string_view name);
};
