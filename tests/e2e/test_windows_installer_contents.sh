#!/usr/bin/env bash
# What the Windows installer carries, read with 7z without running it, so it
# is checked on every host, also one that runs no 32-bit code: the 64-bit
# module where 64-bit Windows looks (System32), the 32-bit one where 32-bit
# Windows does, each byte for byte its build and of its own width, every
# language's translation file beside each, as its build has it, the
# third-party notices beside each with Windows line ends, and the
# uninstaller.
# Runs without Wine: no prefix, no display.
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

installer=$("$ORVANEL_SOURCE_DIR/packaging/windows/build_installer.sh" "$ORVANEL_WIN32_BUILD_DIR" \
  "$ORVANEL_WIN64_BUILD_DIR" "$work/out" 2>"$work/makensis") \
  || fail "the installer was not built: $(cat "$work/makensis")"
7z x -y -o"$work/files" "$installer" >"$work/7z" 2>&1 || fail "7z cannot read the installer: $(cat "$work/7z")"

check_folder() {  # FOLDER_IN_INSTALLER BUILD_DIR MODULE EXPECTED_FORMAT
  local folder=$work/files/$1 build=$2 module=$3 format=$4
  [ -f "$folder/Orvanel.scr" ] || fail "no Orvanel.scr in $1: $(cd "$work/files" && find . -type f | sort | tr '\n' ' ')"
  [ "$(orvanel_pe_kind "$folder/Orvanel.scr")" = "$format" ] || fail "$1/Orvanel.scr is $(orvanel_pe_kind "$folder/Orvanel.scr"), not $format"
  cmp -s "$folder/Orvanel.scr" "$build/$module" || fail "$1/Orvanel.scr is not $build/$module"
  local wanted found
  wanted=$(cd "$ORVANEL_SOURCE_DIR/resources/lang" && ls Orvanel.*.txt)
  found=$(cd "$folder" && ls Orvanel.*.txt 2>/dev/null || true)
  [ "$found" = "$wanted" ] || fail "$1 carries translations [$(echo $found)], not every language [$(echo $wanted)]"
  for file in $wanted; do
    cmp -s "$folder/$file" "$build/$file" || fail "$1/$file differs from $build/$file"
  done
  cmp -s "$folder/Orvanel-ThirdPartyNotices.txt" <(sed 's/\r*$/\r/' "$ORVANEL_SOURCE_DIR/packaging/third_party_notices.txt") ||
    fail "$1 carries no Orvanel-ThirdPartyNotices.txt, or not packaging/third_party_notices.txt with CRLF line ends"
  echo "$1: $module ($format), $(wc -w <<<"$wanted") translation files and the third-party notices"
}

check_folder '$WINDIR/System32' "$ORVANEL_WIN64_BUILD_DIR" Orvanel64.scr pei-x86-64
check_folder '$SYSDIR' "$ORVANEL_WIN32_BUILD_DIR" Orvanel.scr pei-i386
[ -e "$work/files/Uninstall.exe" ] || fail "the installer writes no uninstaller"

# Nothing else lands on the user's machine (NSIS's plug-ins are its own, in a
# temporary folder).
others=$(cd "$work/files" && find . -type f ! -path './$PLUGINSDIR/*' ! -name 'Orvanel.scr' ! -name 'Orvanel.*.txt' \
  ! -name Orvanel-ThirdPartyNotices.txt ! -name Uninstall.exe | sort)
[ -z "$others" ] || fail "the installer carries more: $others"
echo "the installer carries both modules, their translations, the third-party notices and the uninstaller"
