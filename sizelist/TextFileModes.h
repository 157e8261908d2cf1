#pragma once

#include <cstdint>

// Encoding mode words of the text file reader and writer. A word combines a
// byte-order-mark field, a UTF-16 byte order and a character set; the low 12
// bits carry no meaning of their own.
inline constexpr std::int32_t TFM_BOM_MASK = 0x0F000000;
inline constexpr std::int32_t TFM_BOM_PRESENT = 0x01000000;
inline constexpr std::int32_t TFM_ORDER_MASK = 0x00F00000;
inline constexpr std::int32_t TFM_ORDER_BIG_ENDIAN = 0x00100000;
inline constexpr std::int32_t TFM_ORDER_LITTLE_ENDIAN = 0x00200000;
inline constexpr std::int32_t TFM_CHARSET_MASK = 0x000FF000;
inline constexpr std::int32_t TFM_CHARSET_ANSI = 0x00001000;
inline constexpr std::int32_t TFM_CHARSET_UTF16 = 0x00002000;
inline constexpr std::int32_t TFM_CHARSET_UTF8 = 0x00004000;

inline constexpr std::int32_t TFM_AUTO = 0x64;
inline constexpr std::int32_t TFM_ANSI = 0x1264;
inline constexpr std::int32_t TFM_UTF8 = 0x4064;
inline constexpr std::int32_t TFM_UTF8_NOBOM = 0x4264;
inline constexpr std::int32_t TFM_UTF8_BOM = 0x1004264;
inline constexpr std::int32_t TFM_UTF16LE = 0x202264;
inline constexpr std::int32_t TFM_UTF16LE_BOM = 0x1202264;
inline constexpr std::int32_t TFM_UTF16BE = 0x102264;
inline constexpr std::int32_t TFM_UTF16BE_BOM = 0x1102264;

// Error codes that the text file reports besides the system's own.
inline constexpr std::uint32_t TFE_FILE_TOO_LARGE = 223;     // ERROR_FILE_TOO_LARGE
inline constexpr std::uint32_t TFE_DATATYPE_MISMATCH = 1629; // ERROR_DATATYPE_MISMATCH
inline constexpr std::uint32_t TFE_UNSUPPORTED_TYPE = 1630;  // ERROR_UNSUPPORTED_TYPE
