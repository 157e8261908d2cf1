#include "app/FolderMacroTable.h"

std::u16string_view FolderMacroTable::MacroOf(Folder folder) {
    switch (folder) {
    case Pictures:
        return u"%MYPICTURES%";
    case Desktop:
        return u"%MYDESKTOP%";
    case Documents:
        return u"%MYDOCUMENT%";
    case Downloads:
        return u"%MYDOWNLOADS%";
    default:
        return u"";
    }
}

std::u16string FolderMacroTable::ReplaceAll(std::u16string_view text, std::u16string_view what,
                                            std::u16string_view with) {
    if (what.empty())
        return std::u16string(text);
    std::u16string out;
    size_t pos = 0;
    for (;;) {
        size_t hit = text.find(what, pos);
        if (hit == std::u16string_view::npos)
            break;
        out.append(text.substr(pos, hit - pos));
        out.append(with);
        pos = hit + what.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::u16string FolderMacroTable::Expand(std::u16string_view text) const {
    for (int i = 0; i < FolderCount; ++i) {
        std::u16string_view macro = MacroOf(static_cast<Folder>(i));
        if (text.starts_with(macro))
            return ReplaceAll(text, macro, m_entries[i].path);
    }
    return std::u16string(text);
}

std::u16string FolderMacroTable::Compact(std::u16string_view text) const {
    for (int i = 0; i < FolderCount; ++i) {
        const std::u16string& path = m_entries[i].path;
        if (!path.empty() && text.starts_with(path))
            return ReplaceAll(text, path, MacroOf(static_cast<Folder>(i)));
    }
    return std::u16string(text);
}

std::u16string FolderMacroTable::ToDisplay(std::u16string_view text) const {
    for (const Entry& e : m_entries) {
        if (!e.path.empty() && text.starts_with(e.path))
            return e.displayName + std::u16string(text.substr(e.path.size()));
    }
    return std::u16string(text);
}

std::u16string FolderMacroTable::FromDisplay(std::u16string_view text) const {
    for (const Entry& e : m_entries) {
        if (!e.displayName.empty() && text.starts_with(e.displayName))
            return e.path + std::u16string(text.substr(e.displayName.size()));
    }
    return std::u16string(text);
}
