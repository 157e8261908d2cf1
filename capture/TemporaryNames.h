// Names of the files the encoder writes before a capture is put in place,
// and the long-path form the file functions need for them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace TemporaryNames {

// "~Frimlet2-<process id>-<serial>.tmp", both numbers in lower-case hex: the
// program's own mark, unique per capture within one run.
std::u16string Make(std::uint32_t processId, std::uint32_t serial);

// Whether a bare file name is exactly of the form Make gives. Nothing else
// in a folder counts as the program's own temporary file.
bool IsOwn(std::u16string_view name);

// Whether a file last written at writeTime is old enough (a minute or more
// before now) to be a leftover of an interrupted capture. Times in 100 ns
// units; a time in the future is never stale.
bool IsStale(std::uint64_t writeTime, std::uint64_t now);

// A full path the file functions accept beyond MAX_PATH characters: paths
// shorter than that as they are, longer ones on a drive ("C:\...") with the
// "\\?\" prefix and on a share ("\\server\share\...") with "\\?\UNC\", every
// "/" made a "\". Other forms (already prefixed, relative) are left alone.
std::u16string LongPathForm(std::u16string_view path);

} // namespace TemporaryNames
