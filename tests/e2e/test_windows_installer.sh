#!/usr/bin/env bash
# The Windows installer under Wine, in the test run's 64-bit prefix and in a
# 32-bit prefix of its own: /S puts the module where that Windows looks for
# screensavers with the third-party notices beside it, makes it the active
# one (unless /NOACTIVATE), registers the uninstaller; the installed module
# runs; the uninstaller takes the module, the notices and its entry away and
# leaves the user's settings file alone. NSIS makes a
# 32-bit program, so a host that runs no 32-bit code skips this check;
# test_windows_installer_contents.sh reads what the installer carries there too.
source "$(dirname "$0")/lib.sh"
orvanel_skip_without_32bit "Running the installer (NSIS makes a 32-bit program)"
orvanel_prepare_wine
orvanel_prepare_display
orvanel_keep_wine_settings
installer=$("$ORVANEL_SOURCE_DIR/packaging/windows/build_installer.sh" "$ORVANEL_WIN32_BUILD_DIR" \
  "${ORVANEL_WIN64_BUILD_DIR:-$ORVANEL_SOURCE_DIR/build/win64}" "$ORVANEL_SOURCE_DIR/build/packages" 2>"$work/makensis") \
  || fail "the installer was not built: $(cat "$work/makensis")"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanel'
notices=Orvanel-ThirdPartyNotices.txt

reg_view=(/reg:64)  # the installer writes the machine's own view
registry() {  # KEY VALUE: the value's data, empty when missing
  wine reg query "$1" /v "$2" "${reg_view[@]}" 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1 == v { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
wait_gone() {  # FILE: the uninstaller finishes from a copy of itself, so wait for its work
  for _ in $(seq 100); do [ -e "$1" ] || return 0; sleep 0.1; done
  return 1
}

check_prefix() {  # LABEL MODULE_DIR EXPECTED_FORMAT [SECOND_DIR SECOND_FORMAT]
  local label=$1 dir=$2 format=$3
  printf 'kept=1\r\n' > "$ini"
  wine "$installer" /S || fail "$label: the installer exited with $?"
  wineserver -w
  [ "$(orvanel_pe_kind "$dir/Orvanel.scr")" = "$format" ] || fail "$label: $dir/Orvanel.scr is $(orvanel_pe_kind "$dir/Orvanel.scr"), not $format"
  ls "$dir"/Orvanel.*.txt >/dev/null 2>&1 || fail "$label: no translation files beside the module"
  local folders=("$dir") folder
  if [ -n "${4:-}" ]; then
    [ "$(orvanel_pe_kind "$4/Orvanel.scr")" = "$5" ] || fail "$label: $4/Orvanel.scr is $(orvanel_pe_kind "$4/Orvanel.scr"), not $5"
    folders+=("$4")
  fi
  for folder in "${folders[@]}"; do
    grep -q 'Copyright (c) 2015, Olaf Frohn' "$folder/$notices" 2>/dev/null || fail "$label: no third-party notices in $folder"
  done
  [[ "$(registry 'HKCU\Control Panel\Desktop' SCRNSAVE.EXE)" == *'\Orvanel.scr' ]] || fail "$label: SCRNSAVE.EXE not set"
  [ "$(registry "$uninstall_key" DisplayVersion)" = "$(sed -n 's/^project(Orvanel VERSION \([0-9.]*\).*/\1/p' "$ORVANEL_SOURCE_DIR/CMakeLists.txt")" ] \
    || fail "$label: no uninstall entry with the version"
  uninstaller=$(registry "$uninstall_key" UninstallString | tr -d '"')
  [ -n "$uninstaller" ] || fail "$label: no uninstall command"

  xdotool mousemove 30 30
  wine "C:\\windows\\system32\\Orvanel.scr" /s &
  local pid=$!
  orvanel_wait_window || { orvanel_stop "$pid"; fail "$label: the installed module shows no window"; }
  sleep 1
  xdotool key space
  orvanel_wait_exit "$pid" 5
  [ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "$label: the installed module did not end on a key: $exit_code"; }

  wine "$uninstaller" /S || fail "$label: the uninstaller exited with $?"
  wait_gone "$dir/Orvanel.scr" || fail "$label: the uninstaller left the module"
  wineserver -w
  for folder in "${folders[@]}"; do
    [ ! -e "$folder/$notices" ] || fail "$label: the uninstaller left $folder/$notices"
  done
  [ -z "$(registry "$uninstall_key" DisplayVersion)" ] || fail "$label: the uninstall entry is still there"
  [ -z "$(registry 'HKCU\Control Panel\Desktop' SCRNSAVE.EXE)" ] || fail "$label: SCRNSAVE.EXE still names the removed module"
  grep -q '^kept=1' "$ini" || fail "$label: the uninstaller removed the user's settings"
  echo "$label: installed, run and uninstalled; settings kept"
}

windows=$WINEPREFIX/drive_c/windows
check_prefix "64-bit Windows" "$windows/system32" pei-x86-64 "$windows/syswow64" pei-i386

# A 32-bit Windows of its own, made once per test run like the main prefix.
wineserver -k 2>/dev/null || true
orvanel_prepare_wine32
export WINEPREFIX=${WINEPREFIX}32
reg_view=()
orvanel_restore_wine_settings
orvanel_keep_wine_settings
check_prefix "32-bit Windows" "$WINEPREFIX/drive_c/windows/system32" pei-i386

wine "$installer" /S /NOACTIVATE || fail "the installer with /NOACTIVATE exited with $?"
wineserver -w
[ -z "$(registry 'HKCU\Control Panel\Desktop' SCRNSAVE.EXE)" ] || fail "/NOACTIVATE still made Orvanel the active screensaver"
wine "$(registry "$uninstall_key" UninstallString | tr -d '"')" /S
wait_gone "$WINEPREFIX/drive_c/windows/system32/Orvanel.scr" || fail "the second uninstall left the module"
echo "/NOACTIVATE leaves the active screensaver alone"
