#!/usr/bin/env python3
"""Fails when a Windows program imports a DLL that Windows does not bind to
its own copy.

Windows loads the DLLs on its list of known DLLs from the system folder only;
any other DLL a program imports is first looked for in the program's own
folder, so a file of that name placed beside a downloaded program would run
in its place. The program may therefore import only known DLLs (and comctl32,
which its manifest binds to the system's side-by-side copy); everything else
is loaded at run time from the system folder.

Usage: check-imports.py [--objdump PROGRAM] FILE.exe...
Prints the imported DLLs; exits 1 naming each one outside the list.
"""
import argparse
import re
import subprocess
import sys

# Windows 10/11 KnownDLLs (HKLM\SYSTEM\CurrentControlSet\Control\Session
# Manager\KnownDLLs), the part a desktop program may use, and the
# manifest-bound common controls.
ALLOWED = {
    "advapi32.dll", "clbcatq.dll", "combase.dll", "comdlg32.dll", "coml2.dll", "gdi32.dll",
    "gdiplus.dll", "imagehlp.dll", "imm32.dll", "kernel32.dll", "msctf.dll", "msvcrt.dll",
    "normaliz.dll", "nsi.dll", "ole32.dll", "oleaut32.dll", "psapi.dll", "rpcrt4.dll",
    "sechost.dll", "setupapi.dll", "shcore.dll", "shell32.dll", "shlwapi.dll", "user32.dll",
    "wldap32.dll", "ws2_32.dll",
    "comctl32.dll",
}


def imported_dlls(objdump, path):
    out = subprocess.run([objdump, "-p", path], check=True, capture_output=True, text=True).stdout
    return [m.group(1) for m in re.finditer(r"^\s*DLL Name:\s*(\S+)", out, re.MULTILINE)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", default="x86_64-w64-mingw32-objdump")
    parser.add_argument("files", nargs="+")
    args = parser.parse_args()
    status = 0
    for path in args.files:
        dlls = imported_dlls(args.objdump, path)
        print(f"{path}: {' '.join(dlls)}")
        if not dlls:
            print(f"check-imports: {path}: no import table found", file=sys.stderr)
            status = 1
        for dll in dlls:
            if dll.lower() not in ALLOWED:
                print(f"check-imports: {path} imports {dll}, which is not a known DLL", file=sys.stderr)
                status = 1
    return status


if __name__ == "__main__":
    sys.exit(main())
