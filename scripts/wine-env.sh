# Sourced by ./test, ./run and developers: prepares the environment in which
# Frimlet2 and its tests run under Wine.
#   source scripts/wine-env.sh BUILD_DIR
# - starts a virtual X display (Xvfb, 1920x1080x24) when DISPLAY is not set;
# - creates the Wine prefix BUILD_DIR/wineprefix on first use, without the
#   mono/gecko prompts, with Japanese font replacements and no crash dialog;
# - keeps a wineserver running for the prefix so each program starts fast.
# frimlet_env_stop undoes what was started.

_frimlet_build="$(cd "${1:?usage: source scripts/wine-env.sh BUILD_DIR}" && pwd)"
export WINEPREFIX="$_frimlet_build/wineprefix"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
FRIMLET_STARTED_XVFB=""

if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
      FRIMLET_STARTED_XVFB=$!
      export DISPLAY=":$n"
      break
    fi
  done
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break
    sleep 0.1
  done
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  LC_ALL=ja_JP.UTF-8 wine wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
# A persistent server keeps each later program start fast. It must be the
# first server of the session: a server that is already running (for example
# one left by a command a moment ago) refuses a second, so wait for that one
# to end and try again. A persistent server left by an earlier set-up of this
# prefix stays; the wait then times out harmlessly.
if ! wineserver -p >/dev/null 2>&1; then
  timeout 20 wineserver -w >/dev/null 2>&1 || true
  wineserver -p >/dev/null 2>&1 || true
fi
# The prefix's settings, applied once per prefix (the stamp names their version).
if [ ! -f "$WINEPREFIX/.frimlet-config-4" ]; then
  _frimlet_reg() { LC_ALL=ja_JP.UTF-8 wine reg add "$@" /f >/dev/null 2>&1 || true; }
  # Dialog fonts resolve to the IPA fonts, as they would to the Japanese
  # system fonts on the systems Frimlet2 targets.
  _frimlet_reg 'HKCU\Software\Wine\Fonts\Replacements' /v "MS UI Gothic" /d IPAPGothic
  _frimlet_reg 'HKCU\Software\Wine\Fonts\Replacements' /v "MS Shell Dlg" /d IPAPGothic
  _frimlet_reg 'HKCU\Software\Wine\Fonts\Replacements' /v "MS Shell Dlg 2" /d IPAPGothic
  # The other Japanese UI fonts of Windows (what an installer or a dialog of
  # the system asks for) take the proportional IPA font as well.
  # The installer's Japanese pages ask for "ＭＳ Ｐゴシック", by its Japanese name.
  for face in "MS PGothic" "ＭＳ Ｐゴシック" "Meiryo" "Meiryo UI" "Yu Gothic UI" "Yu Gothic"; do
    _frimlet_reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d IPAPGothic
  done
  _frimlet_reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
  # There is no window manager on the virtual display: windows that Wine
  # would hand to one wait two seconds for it whenever they are hidden.
  _frimlet_reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
  touch "$WINEPREFIX/.frimlet-config-4"
fi
# Start the prefix's services and its desktop process now, detached from the
# caller's output: a process started later would inherit a test's stderr and
# keep that pipe open for as long as the server lives.
LC_ALL=ja_JP.UTF-8 wine wineboot >/dev/null 2>&1 </dev/null || true
LC_ALL=ja_JP.UTF-8 wine rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null || true

frimlet_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$FRIMLET_STARTED_XVFB" ]; then
    kill "$FRIMLET_STARTED_XVFB" >/dev/null 2>&1 || true
    wait "$FRIMLET_STARTED_XVFB" 2>/dev/null || true
    FRIMLET_STARTED_XVFB=""
  fi
}
