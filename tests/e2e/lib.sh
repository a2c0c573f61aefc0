# Shared set-up of the Wine checks: one Wine prefix per test run and a
# virtual display. scripts/test.sh prepares both once and exports them; run
# on their own, the checks make their own.
set -euo pipefail

ORVANEL_SOURCE_DIR=${ORVANEL_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
ORVANEL_WIN32_BUILD_DIR=${ORVANEL_WIN32_BUILD_DIR:-$ORVANEL_SOURCE_DIR/build/win32}
ORVANEL_WIN64_BUILD_DIR=${ORVANEL_WIN64_BUILD_DIR:-$ORVANEL_SOURCE_DIR/build/win64}
export WINEDEBUG=-all
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

# Some hosts run no 32-bit x86 code at all (IA-32 emulation off): there
# Debian's wine wrapper picks its 32-bit loader and fails, so every Wine call
# goes to the 64-bit loader and the checks run what 64-bit Windows runs.
# ORVANEL_NO_32BIT=1 makes any host behave so; scripts/test.sh asks the host
# once and exports the answer in ORVANEL_HOST_32BIT (yes or no).
orvanel_host_runs_32bit() {
  if [ "${ORVANEL_NO_32BIT:-0}" = 1 ]; then return 1; fi
  case ${ORVANEL_HOST_32BIT:-} in
    yes) return 0 ;;
    no) return 1 ;;
  esac
  # The i386 dynamic loader is itself a 32-bit program; where it is missing
  # there is no 32-bit user land to run Wine's 32-bit loader either.
  /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

if orvanel_host_runs_32bit; then
  export ORVANEL_HOST_32BIT=yes
  ORVANEL_WINE_BUILD_DIR=$ORVANEL_WIN32_BUILD_DIR
  ORVANEL_SCR_NAME=Orvanel.scr
else
  export ORVANEL_HOST_32BIT=no
  ORVANEL_WINE_BUILD_DIR=$ORVANEL_WIN64_BUILD_DIR
  ORVANEL_SCR_NAME=Orvanel64.scr
  if [ -z "${ORVANEL_WINE64_LOADER:-}" ]; then
    ORVANEL_WINE64_LOADER=$(dpkg -L wine64 2>/dev/null | grep -m1 '/wine64$' || true)
    export ORVANEL_WINE64_LOADER=${ORVANEL_WINE64_LOADER:-/usr/lib/wine/wine64}
  fi
  # Debian's wineboot and friends call wine-stable through PATH, so both
  # names lead to the 64-bit loader.
  case ":$PATH:" in
    *":$ORVANEL_SOURCE_DIR/tests/e2e/wine64_only:"*) ;;
    *) export PATH="$ORVANEL_SOURCE_DIR/tests/e2e/wine64_only:$PATH" ;;
  esac
fi

# Says which Windows module the Wine checks run, and why.
orvanel_describe_wine_host() {
  if [ "$ORVANEL_HOST_32BIT" = yes ]; then
    echo "this host runs 32-bit programs: the Wine checks run Orvanel.scr, and the 64-bit module's unit run and one check run Orvanel64.scr"
  elif [ "${ORVANEL_NO_32BIT:-0}" = 1 ]; then
    echo "ORVANEL_NO_32BIT=1: run as on a host without 32-bit code: the Wine checks run Orvanel64.scr with Wine's 64-bit loader; the 32-bit unit run and the installer's run are skipped"
  else
    echo "this host runs no 32-bit programs: the Wine checks run Orvanel64.scr with Wine's 64-bit loader; the 32-bit unit run and the installer's run are skipped"
  fi
}

# Ends a check that needs 32-bit code as skipped (CTest's SKIP_RETURN_CODE)
# where the host cannot run any.
orvanel_skip_without_32bit() {  # WHAT
  if [ "$ORVANEL_HOST_32BIT" = yes ]; then return 0; fi
  echo "SKIPPED: $1 needs 32-bit code, which this host does not run"
  exit 77
}

orvanel_prepare_wine() {
  if [ -z "${WINEPREFIX:-}" ]; then
    export WINEPREFIX=$ORVANEL_SOURCE_DIR/build/wineprefix
  fi
  # A prefix made by the 64-bit loader alone has no working 32-bit side; a
  # host that runs 32-bit code makes it again rather than fail in it.
  local made_64bit_only=$WINEPREFIX/orvanel-made-without-32bit
  if [ "$ORVANEL_HOST_32BIT" = yes ] && [ -f "$made_64bit_only" ]; then
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # A HOME of its own keeps Wine from linking the prefix's Desktop to the real one.
    mkdir -p "$WINEPREFIX.home"
    HOME="$WINEPREFIX.home" wineboot -i >/dev/null 2>&1
    [ "$ORVANEL_HOST_32BIT" = yes ] || touch "$made_64bit_only"
    # Xvfb runs no window manager: with windows Wine hands to one, hiding a
    # window waits for an answer that never comes.
    HOME="$WINEPREFIX.home" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Monitors through Xinerama: Xvfb's XRandR reports one screen however many it has.
    HOME="$WINEPREFIX.home" wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
    HOME="$WINEPREFIX.home" wineserver -w
  fi
  export HOME="$WINEPREFIX.home"
}

# The installer check's 32-bit Windows: a prefix of its own beside the main
# one, made once per test run (scripts/test.sh makes it while it builds).
orvanel_prepare_wine32() {
  [ "$ORVANEL_HOST_32BIT" = yes ] || return 0
  local prefix=${WINEPREFIX:-$ORVANEL_SOURCE_DIR/build/wineprefix}32
  if [ ! -f "$prefix/system.reg" ]; then
    WINEPREFIX=$prefix WINEARCH=win32 wineboot -i >/dev/null 2>&1
    WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    WINEPREFIX=$prefix wineserver -w
  fi
}

orvanel_prepare_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
  local number=$(( 90 + RANDOM % 400 ))
  # Without -noreset the server resets whenever its last client leaves, and a
  # check that connects in that moment finds no display.
  Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  ORVANEL_XVFB_PID=$!
  export DISPLAY=":$number"
  # Wine's server holds the display; stop it before the display goes.
  trap 'wineserver -k 2>/dev/null || true; kill $ORVANEL_XVFB_PID 2>/dev/null || true' EXIT
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
  echo "could not start Xvfb on $DISPLAY" >&2
  exit 1
}

# The Wine user's folders inside the prefix.
orvanel_wine_user_dir() { echo "$WINEPREFIX/drive_c/users/$(whoami)"; }
orvanel_wine_temp_dir() {
  # Wine 8 puts %TEMP% in the profile; newer versions under AppData\Local.
  local user; user=$(orvanel_wine_user_dir)
  if [ -d "$user/Temp" ]; then echo "$user/Temp"; else echo "$user/AppData/Local/Temp"; fi
}
orvanel_wine_desktop_dir() { echo "$(orvanel_wine_user_dir)/Desktop"; }
orvanel_wine_appdata_dir() { echo "$(orvanel_wine_user_dir)/AppData/Roaming"; }

fail() { echo "FAIL: $*" >&2; exit 1; }

# A Windows program's format as objdump names it: pei-i386 or pei-x86-64.
orvanel_pe_kind() { objdump -f "$1" 2>/dev/null | sed -n 's/.*file format //p'; }

# The module and helper of the Windows build this host runs.
orvanel_scr() { echo "$ORVANEL_WINE_BUILD_DIR/$ORVANEL_SCR_NAME"; }
orvanel_helper_exe() { echo "$ORVANEL_WINE_BUILD_DIR/tests/orvanel_e2e_helper.exe"; }
orvanel_helper() { wine "$(orvanel_helper_exe)" "$@" 2>/dev/null | tr -d '\r'; }
orvanel_artifacts_dir() { echo "${ORVANEL_E2E_ARTIFACTS:-$ORVANEL_WINE_BUILD_DIR/e2e-artifacts}"; }
orvanel_log_file() { echo "$(orvanel_wine_temp_dir)/Orvanel.keslLog.txt"; }

# Waits until the process (a child of this shell) ends, for at most SECONDS;
# sets exit_code to its exit code, or to "running" when it is still there.
orvanel_wait_exit() {
  local pid=$1 seconds=$2 steps
  steps=$(( seconds * 10 ))
  for _ in $(seq "$steps"); do
    if ! kill -0 "$pid" 2>/dev/null; then
      exit_code=0
      wait "$pid" || exit_code=$?
      return
    fi
    sleep 0.1
  done
  exit_code=running
}

# "/c" waits for the user to close the configuration sheet: opens it with
# any further ARGS, closes it with Cancel as a user would, and sets
# exit_code (or "running" if it did not end).
orvanel_configure_and_cancel() {
  wine "$(orvanel_scr)" /c "$@" &
  local pid=$!
  orvanel_helper sheet cancel >/dev/null || true
  orvanel_wait_exit "$pid" 20
  if [ "$exit_code" = running ]; then orvanel_stop "$pid"; fi
}

# Waits until the screensaver's full-screen window exists.
orvanel_wait_window() {
  for _ in $(seq 100); do
    orvanel_helper find | grep -q '^found' && return 0
    sleep 0.2
  done
  return 1
}

# The colour of one screen pixel as "r,g,b".
orvanel_screen_pixel() {
  local shot
  shot=$(mktemp --suffix=.png)
  import -window root "$shot"
  convert "$shot" -crop "1x1+$1+$2" -depth 8 txt:- | tail -1 | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/'
  rm -f "$shot"
}

# The sky's background alone (the "background" setting's value) as a picture
# file, at the size WxH or else the display's.
orvanel_expected_background() {  # CHOICE FILE [WxH]
  local bitmaps=$ORVANEL_SOURCE_DIR/resources/bitmaps screen=${3:-}
  [ -n "$screen" ] || screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')
  case $1 in
    0) convert -size "$screen" xc:'rgb(0,0,20)' "$2" ;;
    1) convert -size "$screen" xc:'rgb(0,0,41)' "$2" ;;
    2) convert "$bitmaps/123-blue-gradient.bmp" -filter point -resize "$screen!" "$2" ;;
    *) convert -size "$screen" "tile:$bitmaps/124-starry-tile.bmp" "$2" ;;
  esac
}

# How many pixels of two pictures differ by more than a few levels.
orvanel_differing_pixels() {
  # compare exits with 1 when the pictures differ at all.
  { compare -metric AE -fuzz 2% "$1" "$2" null: 2>&1 || true; } | sed -E 's/^([0-9.e+]+).*/\1/' | awk '{printf "%d", $1}'
}

orvanel_stop() { kill "$1" 2>/dev/null || true; wineserver -k 2>/dev/null || true; }

# For checks that write the Wine user's settings file: sets ini, work (a
# scratch folder) and artifacts, and puts the file back as it was on exit.
orvanel_keep_wine_settings() {
  ini="$(orvanel_wine_appdata_dir)/Orvanel software/Orvanel screensaver.ini"
  work=$(mktemp -d)
  artifacts=${ORVANEL_E2E_ARTIFACTS:-$work}
  mkdir -p "$(dirname "$ini")"
  if [ -f "$ini" ]; then cp "$ini" "$work/saved.ini"; fi
  trap 'orvanel_restore_wine_settings; wineserver -k 2>/dev/null || true; [ -n "${ORVANEL_ANCHOR_PID:-}" ] && kill $ORVANEL_ANCHOR_PID 2>/dev/null; [ -n "${ORVANEL_XVFB_PID:-}" ] && kill $ORVANEL_XVFB_PID 2>/dev/null || true' EXIT
}

# Xvfb moves the pointer only while some window is mapped: a 1-pixel window
# far from the corners keeps xdotool's moves working between runs. Stopped by
# the trap of orvanel_keep_wine_settings.
orvanel_anchor_pointer() {
  local native=${ORVANEL_NATIVE_BUILD_DIR:-$ORVANEL_SOURCE_DIR/build/native}
  "$native/tests/orvanel_x11_test_window" window 1 1 500 500 >/dev/null &
  ORVANEL_ANCHOR_PID=$!
  sleep 0.3
}

# Settings for a plain dark sky, so that what is not sky stands out: the first
# background, no clock, moon, messages or quotes.
orvanel_write_plain_sky_settings() {
  printf 'background=0\r\nshowClock=no\r\nshowMoon=no\r\nmessagesCount=0\r\nmsg_defaultMessagesAdded=yes\r\n' > "$ini"
  for category in Love Wisdom Advice Funny WomenVSMen Peace; do printf 'showQuotes_%s=no\r\n' "$category" >> "$ini"; done
}

orvanel_restore_wine_settings() {
  if [ -f "$work/saved.ini" ]; then cp "$work/saved.ini" "$ini"; else rm -f "$ini"; fi
  rm -rf "$work"
}
