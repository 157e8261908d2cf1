// The fixed output name: which texts are a plain file name, and how a run of
// '#' in it numbers the captures after the files already in the folder.
// Plain values in, plain values out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace OutputNameRules {

// What is wrong with a fixed name; Ok when nothing is.
enum class NameProblem {
    Ok,
    Empty,
    PathSeparator,      // \ / or :, which make it a path
    ForbiddenCharacter, // < > " | ? * or a control character
    TrailingDotOrSpace, // the system would cut them off
    ReservedDevice,     // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension
    TooLong,            // the file name or the whole output path would be too long
    TwoNumberRuns,      // '#' stands in more than one place
};

// The longest file name a folder entry may have, in UTF-16 units.
constexpr std::size_t kMaxComponent = 255;
// The longest path the file functions take in the "\\?\" form, prefix and
// terminating NUL included.
constexpr std::size_t kMaxLongPath = 32767;
// ".jpg", ".bmp", ".gif", ".png": every extension has this length.
constexpr std::size_t kExtensionLength = 4;

// Whether name is a plain file name the output folder (of folderLength
// UTF-16 units) can hold under every extension; a '#' run counts with its
// own length, as its first numbers have.
NameProblem CheckFixedName(std::u16string_view name, std::size_t folderLength);

// Whether name holds a run of '#' (and so numbers its captures).
bool HasNumberRun(std::u16string_view name);

// The name (with extension) the next capture gets for a pattern with one run
// of '#': one more than the highest number of the names in the folder that
// are the pattern with a number in the run's place and any of the four
// extensions, compared without regard to case as Windows compares file
// names; 1 when there is none. The number is padded with zeros to the run's
// length and grows longer when it no longer fits. A pattern without '#' is
// the pattern with the extension.
std::u16string NextNumberedName(std::u16string_view pattern, const std::vector<std::u16string>& folderNames,
                                std::u16string_view extension);

// The upper-case form of a UTF-16 unit as the file systems compare names,
// for the letters of the Latin, Greek, Cyrillic and full-width ranges.
char16_t UpcaseForFileName(char16_t c);

} // namespace OutputNameRules
