// Whether the output folder can be opened, and the message that names the
// path when it cannot: a folder that could not be made, one on a drive that
// is not there, or a name that is a file's.
#pragma once

#include "framework/CString.h"

#include <windows.h>

enum class FolderProblem { None, Missing, DriveMissing, IsFile };

// Makes the folder when it is missing (as a capture would) and says what
// stands in the way of opening it.
FolderProblem PrepareOutputFolder(const wchar_t* path);

// The message for a problem, naming the path; empty for None.
CString FolderProblemText(FolderProblem problem, const wchar_t* path);
