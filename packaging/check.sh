#!/usr/bin/env bash
# Checks the two packages of ./package the way a Windows user meets them,
# under Wine in a fresh prefix (build/release/check/wineprefix):
#   packaging/check.sh VERSION ZIP SETUP
# - the zip holds exactly the program, the help page, the licence and the
#   read-me, under UTF-8 names;
# - a silent install puts them into %LOCALAPPDATA%\Programs\Frimlet2, with the
#   Start-menu shortcut and the uninstall entry of this version; the installed
#   program carries the version, starts, takes a capture and its options'
#   link finds the help page (the e2e tests run against the installed copy);
# - a second silent install over a running program closes it and keeps the
#   stored settings and the data folder;
# - a third one, while the program shows a message in a box that carries the
#   frame's title, still ends it and replaces the program file;
# - the silent uninstall (the entry's QuietUninstallString) removes the files,
#   the shortcut and the entry and keeps the settings.
# Needs build/win (e2e_tests.exe, versionof.exe, holdhotkey.exe). Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
version="$1"
zip="$2"
setup="$3"
readme='はじめにお読みください.txt'
passed=0
failed=0
pass() {
  echo "package check: ok: $*"
  passed=$((passed + 1))
}
fail() {
  echo "package check: FAILED: $*" >&2
  failed=$((failed + 1))
}
check() { # check DESCRIPTION COMMAND...
  local what="$1"
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

# Runs the silent installer over the running program ($pid); true when the
# program has ended within five seconds of it.
install_over_running() {
  wine "$setup" /S >/dev/null 2>&1 || true
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# --- the zip ----------------------------------------------------------------
listed="$(unzip -Z1 "$zip" | LC_ALL=C sort)"
wanted="$(printf '%s\n' Frimlet2.exe Frimlet2.html LICENSE.txt "$readme" | LC_ALL=C sort)"
check "the zip holds exactly the program, the help page, the licence and the read-me" test "$listed" = "$wanted"
check "the zip marks its names as UTF-8" python3 -c '
import sys, zipfile
names = zipfile.ZipFile(sys.argv[1]).infolist()
sys.exit(0 if all(i.flag_bits & 0x800 for i in names if not i.filename.isascii()) else 1)' "$zip"
check "the zip's help page is the one of the sources" \
  cmp -s <(unzip -p "$zip" Frimlet2.html) packaging/Frimlet2.html

# --- a fresh prefix ---------------------------------------------------------
here="build/release/check"
rm -rf "$here"
mkdir -p "$here"
source scripts/wine-env.sh "$here"
pid=""
holder=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  if [ -n "$holder" ]; then kill "$holder" 2>/dev/null || true; fi
  frimlet_env_stop
}
trap cleanup EXIT
export LC_ALL=ja_JP.UTF-8
# No desktop entries on the host for the shortcut the installer makes.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

winenv() { wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r' | tail -n 1; }
localappdata="$(winenv LOCALAPPDATA)"
appdata="$(winenv APPDATA)"
instdir_win="$localappdata\\Programs\\Frimlet2"
exe_win="$instdir_win\\Frimlet2.exe"
instdir="$(winepath -u "$instdir_win" 2>/dev/null)"
shortcut="$(winepath -u "$appdata\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)/Frimlet2.lnk"
datafile="$(winepath -u "$appdata\\Oskvane\\Frimlet2" 2>/dev/null)/SelectSizeList_v2.txt"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Frimlet2'
settings_key='HKCU\Software\Oskvane\Frimlet2'

# The data of one registry value, empty when it is missing.
regvalue() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z_]* *//p" || true
}
installed_files_present() {
  local f
  for f in Frimlet2.exe Frimlet2.html LICENSE.txt "$readme" uninstall.exe; do
    [ -f "$instdir/$f" ] || return 1
  done
}
same_files_as_the_zip() {
  local f
  for f in Frimlet2.exe Frimlet2.html LICENSE.txt "$readme"; do
    cmp -s <(unzip -p "$zip" "$f") "$instdir/$f" || return 1
  done
}

# --- first install ----------------------------------------------------------
wine "$setup" /S >/dev/null 2>&1 || true
check "a silent install puts the files into $instdir_win" installed_files_present
check "the installed files are those of the zip" same_files_as_the_zip
check "a silent install makes the Start-menu shortcut" test -f "$shortcut"
check "the uninstall entry names Frimlet2" test "$(regvalue "$uninstall_key" DisplayName)" = Frimlet2
check "the uninstall entry carries version $version" test "$(regvalue "$uninstall_key" DisplayVersion)" = "$version"
check "the uninstall entry names the publisher" test "$(regvalue "$uninstall_key" Publisher)" = Oskvane
check "the uninstall entry's icon is the program" test "$(regvalue "$uninstall_key" DisplayIcon)" = "$exe_win,0"
check "the uninstall entry has the uninstall command" \
  test "$(regvalue "$uninstall_key" UninstallString)" = "\"$instdir_win\\uninstall.exe\""
quiet="$(regvalue "$uninstall_key" QuietUninstallString)"
check "the uninstall entry has the quiet uninstall command" test "$quiet" = "\"$instdir_win\\uninstall.exe\" /S"
size="$(regvalue "$uninstall_key" EstimatedSize)"
check "the uninstall entry has a size" test "$((size))" -gt 0
check "the installed program carries version $version" \
  wine build/win/versionof.exe "$exe_win" "$version"
check "the installed program captures, and its options open with the help page found" \
  env FRIMLET_EXE="$exe_win" wine build/win/e2e_tests.exe \
  --gtest_filter='FrameE2eTest.HotkeyWritesTheHoleInTheHeldFormat:OptionsE2eTest.EnterConfirmsTheFreshlyOpenedOptions'

# --- a second install over the running program ------------------------------
# Settings as a user leaves them: a value in the key and a file in the data folder.
wine reg add "$settings_key" /v jpegQuality /t REG_DWORD /d 77 /f >/dev/null 2>&1
mkdir -p "$(dirname "$datafile")"
printf '\357\273\277# kept\r\n,,640,480,VGA\r\n' > "$datafile"
wine "$exe_win" >/dev/null 2>&1 &
pid=$!
frame=""
for _ in $(seq 1 150); do
  frame="$(xdotool search --name '^Frimlet2$' 2>/dev/null | head -n 1 || true)"
  [ -n "$frame" ] && break
  sleep 0.1
done
check "the installed program starts" test -n "$frame"
sleep 1
closed=0
install_over_running || closed=1
check "installing over a running Frimlet2 closes it" test "$closed" = 0
pid=""
check "installing over it leaves the files in place" installed_files_present
check "installing over it keeps the stored settings" test "$(regvalue "$settings_key" jpegQuality)" = 0x4d
check "installing over it keeps the data folder" test -f "$datafile"

# --- an install while the program shows a message --------------------------
# Another program holds the capture hotkey the user chose (F9), so Frimlet2
# says at start-up, in a box titled "Frimlet2" like its frame (which waits
# behind it, not yet shown), that the hotkey could not be had. The installer
# must find the frame by its class, not the box by the title, and end the
# program so that its file can be replaced. (PrintScreen itself would not
# do: the program's keyboard hook takes it ahead of the other program, and
# nothing is asked.)
wine reg add "$settings_key" /v hotkey /t REG_DWORD /d 0x78 /f >/dev/null 2>&1
holder_log="$here/holdhotkey.log"
wine build/win/holdhotkey.exe 0x78 120 >"$holder_log" 2>&1 &
holder=$!
for _ in $(seq 1 100); do
  grep -q held "$holder_log" 2>/dev/null && break
  sleep 0.1
done
# A changed program file, which only a replacement makes equal to the zip's.
printf 'x' >>"$instdir/Frimlet2.exe"
wine "$exe_win" >/dev/null 2>&1 &
pid=$!
titled=0
for _ in $(seq 1 150); do
  titled="$({ xdotool search --onlyvisible --name '^Frimlet2$' 2>/dev/null || true; } | wc -l)"
  [ "$titled" -ge 1 ] && break
  sleep 0.1
done
check "the program shows its message in a box titled Frimlet2" test "$titled" -ge 1
started=$SECONDS
closed=0
install_over_running || closed=1
took=$((SECONDS - started))
check "installing while the program shows a message ends it (setup took ${took} s)" test "$closed" = 0
pid=""
check "installing while the program shows a message replaces the program" same_files_as_the_zip
kill "$holder" 2>/dev/null || true
holder=""
wine reg delete "$settings_key" /v hotkey /f >/dev/null 2>&1 || true

# --- silent uninstall -------------------------------------------------------
# The quiet command as Windows runs it: the quoted program, then its
# arguments. The uninstaller copies itself away and returns at once; wait for
# its work.
quiet_exe="${quiet%\" *}"
quiet_exe="${quiet_exe#\"}"
quiet_args="${quiet##*\" }"
# shellcheck disable=SC2086 # the arguments are split as a command line is
wine "$quiet_exe" $quiet_args >/dev/null 2>&1 || true
for _ in $(seq 1 100); do
  [ -e "$instdir" ] || break
  sleep 0.2
done
sleep 1
check "a silent uninstall removes the program's folder" test ! -e "$instdir"
check "a silent uninstall removes the shortcut" test ! -e "$shortcut"
key_missing() { ! wine reg query "$1" >/dev/null 2>&1; }
check "a silent uninstall removes the uninstall entry" key_missing "$uninstall_key"
check "a silent uninstall keeps the stored settings" test "$(regvalue "$settings_key" jpegQuality)" = 0x4d
check "a silent uninstall keeps the data folder" test -f "$datafile"

echo "package: $passed passed, $failed failed"
[ "$failed" = 0 ]
