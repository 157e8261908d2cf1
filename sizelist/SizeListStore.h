// The stores of the size list: own entries as lines of a registry value, or,
// for more than 20, in a file of the data folder that the value points to
// with the single line "%APPDATA%"; the legacy value that is still read; and
// the reference files whose entries are added read-only.
#pragma once

#include "app/Profile.h"
#include "app/Settings.h"
#include "framework/CArray.h"
#include "framework/CString.h"
#include "sizelist/SizeListFile.h"

// Empties list and fills it with the own entries followed by the entries of
// the reference files; problems in reference files are appended to messages.
void LoadSizeList(const Profile& profile, const Settings& settings, SelectSizeList& list, CString& messages);

// Stores a list of own entries. Failures are silent, but a failed step never
// costs the list that was stored before.
void SaveSizeList(const Profile& profile, const Settings& settings, SelectSizeList& ownList);

// Appends the entries of stored lines to list; lines that break a rule are
// skipped.
void ParseStoredSizeLines(const CArray<CString>& lines, SelectSizeList& list);

// Fills paths (emptied first) with the reference files found; returns their
// number.
int FindReferenceFiles(const Profile& profile, const Settings& settings, CArray<CString>& paths);

// The name of the reference files, folder macros expanded.
CString GetReferenceFileName(const Profile& profile);
// Stores the name; null, empty or the default name deletes the setting.
void SetReferenceFileName(const Profile& profile, const wchar_t* name);
