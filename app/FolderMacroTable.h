// The four known user folders and the conversions between real paths, paths
// that begin with a folder macro, and the display form shown to the user.
// Every conversion tries the folders in lookup order (Pictures, Desktop,
// Documents, Downloads) and stops at the first one that matches the start of
// the text (exact, case-sensitive comparison).
#pragma once

#include <array>
#include <string>
#include <string_view>

class FolderMacroTable {
public:
    enum Folder { Pictures, Desktop, Documents, Downloads, FolderCount };

    struct Entry {
        std::u16string path;        // empty when the system could not name the folder
        std::u16string displayName; // empty when the shell gave none
    };

    static std::u16string_view MacroOf(Folder folder);

    void SetPath(Folder folder, std::u16string path) { m_entries[folder].path = std::move(path); }
    void SetDisplayName(Folder folder, std::u16string name) {
        m_entries[folder].displayName = std::move(name);
    }

    // A text that begins with a macro: every occurrence of that macro becomes
    // the folder's path (also an empty one).
    std::u16string Expand(std::u16string_view text) const;
    // A text that begins with a folder's path: every occurrence of that path
    // becomes the folder's macro.
    std::u16string Compact(std::u16string_view text) const;
    // The folder's path at the start becomes its display name.
    std::u16string ToDisplay(std::u16string_view text) const;
    // The folder's display name at the start becomes its path.
    std::u16string FromDisplay(std::u16string_view text) const;

    // Every non-overlapping occurrence of what, scanned left to right.
    static std::u16string ReplaceAll(std::u16string_view text, std::u16string_view what,
                                     std::u16string_view with);

private:
    std::array<Entry, FolderCount> m_entries;
};
