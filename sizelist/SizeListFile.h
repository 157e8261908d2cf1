// Size lists as comma-separated text files: reading a file into entries with
// a message for every rejected line, and writing a list with its header.
#pragma once

#include "framework/CArray.h"
#include "framework/CString.h"
#include "sizelist/SelectSizeInfo.h"
#include "sizelist/TextFileModes.h"

#include <windows.h>

#include <cstdint>

// The size list: entries in display order, own and reference entries mixed.
using SelectSizeList = CArray<tagSELECT_SIZE_INFO, const tagSELECT_SIZE_INFO&>;

// Appends the entries of a file (with bOwn as given) to list and the messages
// about it to messages. Returns the number of entries appended when no line
// was rejected, minus the number of rejected lines otherwise, and 0 when the
// file could not be read.
int ReadSizeListFile(int bOwn, const wchar_t* path, std::int32_t mode, SelectSizeList& list,
                     CString& messages);

// Writes list to path in the encoding of mode. TABs in the memos become
// spaces, in the entries too. Failures append a message and return false.
bool WriteSizeListFile(const wchar_t* path, std::int32_t mode, SelectSizeList& list, CString& messages);
