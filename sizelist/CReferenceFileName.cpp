#include "sizelist/CReferenceFileName.h"

CReferenceFileName::Parts CReferenceFileName::Split(std::u16string_view name) {
    Parts parts;
    parts.extension = u".txt";
    const std::size_t dot = name.rfind(u'.');
    const std::size_t slash = name.rfind(u'\\');
    const long d = dot == std::u16string_view::npos ? -1 : static_cast<long>(dot);
    const long s = slash == std::u16string_view::npos ? -1 : static_cast<long>(slash);
    if (d > 0 && s < d) {
        parts.extension = name.substr(dot);
        name = name.substr(0, dot);
    }
    parts.name = name;
    parts.isPath = s >= 1;
    return parts;
}
