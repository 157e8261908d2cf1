// What one capture came to: a file of some size, or the tab's error code
// together with the step that failed, the system's error of that step and the
// path it concerned, so that the user can be told what happened.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <string>
#include <vector>

struct CaptureResult {
    enum class Step {
        None,
        Screen,    // the screen could not be read (or the pixels copied)
        Folder,    // the output folder could not be made
        File,      // the file could not be created, written or put in place
        Encoder,   // the imaging component refused or produced nothing
        Clipboard, // the copy to the clipboard failed (the file may be fine)
    };

    // The file's size (> 0), or an EncodeResult (0 or negative).
    int code = 0;
    Step failed = Step::None;
    // The failed step's system error: a Win32 error code or an HRESULT; 0
    // when the system gave none.
    DWORD error = 0;
    // The file written, or the file or folder a failure concerned.
    std::wstring path;

    bool Written() const { return code > 0; }
    // Records a failure unless an earlier step's failure explains it already.
    void Fail(Step step, DWORD systemError, const std::wstring& where) {
        if (failed != Step::None)
            return;
        failed = step;
        error = systemError;
        path = where;
    }
};

// The folders Windows security may keep programs from writing into
// (controlled folder access): Pictures, Documents and Desktop of this user.
std::vector<std::wstring> ProtectedUserFolders();

// The system's message for an error (a Win32 code or an HRESULT) in the
// user's language, without the line break it ends in; empty when the system
// has none.
CString SystemErrorText(DWORD error);

// One or two Japanese sentences on what went wrong and why: the step, the
// path, the system's reason, and where access was denied inside one of
// protectedFolders, that Windows security may be blocking the program. Empty
// when nothing failed.
CString ExplainCaptureResult(const CaptureResult& result, const std::vector<std::wstring>& protectedFolders);
