// What the program keeps in its key of the registry, and the forms in which
// it stores and shows folder paths. The application object is the running
// program's profile; the settings record, the size-list stores and the
// dialogs are given it, they never look it up.
#pragma once

#include "app/FolderMacroTable.h"
#include "framework/CArray.h"
#include "framework/CString.h"
#include "framework/Handles.h"

class Profile {
public:
    // Values of the application key itself. A read gives defaultValue when
    // the value is missing or of another type; a null string value deletes
    // the value.
    virtual int ReadInt(const wchar_t* name, int defaultValue) const = 0;
    virtual bool WriteInt(const wchar_t* name, int value) const = 0;
    virtual CString ReadString(const wchar_t* name, const wchar_t* defaultValue) const = 0;
    virtual bool WriteString(const wchar_t* name, const wchar_t* value) const = 0;
    // The application key, created when missing; empty when the program
    // keeps no settings in the registry.
    virtual unique_hkey OpenAppKey() const = 0;
    // The known folders behind the folder macros and display names.
    virtual const FolderMacroTable& Folders() const = 0;

    // A string value with white space trimmed; the default also for a value
    // that is empty once trimmed.
    CString ReadStringSetting(const wchar_t* name, const wchar_t* defaultValue) const;
    // A path value: trimmed, without trailing backslashes, its folder macro
    // expanded.
    CString ReadPathSetting(const wchar_t* name, const wchar_t* defaultValue) const;
    // Stores a path without trailing backslashes and with a folder macro in
    // place of a known folder; null deletes the value.
    bool WritePathSetting(const wchar_t* name, const wchar_t* path) const;
    // The multi-string value "SelectSizeList_v2": appends its strings to
    // list; false when it is missing or of another type.
    bool ReadStringList(CArray<CString>& list) const;
    // Stores the list (its non-empty strings); null deletes the value.
    bool WriteStringList(const CArray<CString>* list) const;

    // The folder conversions: macro to real path and back, real path to the
    // display form and back.
    void ExpandFolderMacros(const wchar_t* in, CString& out) const;
    void CompactFolderMacros(const wchar_t* in, CString& out) const;
    CString DisplayPath(const wchar_t* path) const;
    CString RealPath(const wchar_t* displayPath) const;
    // The output folder of a first start: Frimlet2 in the Pictures folder.
    CString GetDefaultOutputPath() const;

    static void RemoveTrailingBackslashes(CString& path);

protected:
    ~Profile() = default;
};
