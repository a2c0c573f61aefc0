#!/usr/bin/env bash
# Builds Orvanel-Setup-<version>.exe from the two Windows builds with NSIS.
#   build_installer.sh [WIN32_BUILD_DIR [WIN64_BUILD_DIR [OUT_DIR]]]   prints the installer's path
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
win32=${1:-$root/build/win32}
win64=${2:-$root/build/win64}
out=${3:-$root/build/packages}
version=$(sed -n 's/^project(Orvanel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -f "$win32/Orvanel.scr" ] && [ -f "$win64/Orvanel64.scr" ] \
  || { echo "build the win32 and win64 presets first" >&2; exit 1; }
mkdir -p "$out"
installer=$out/Orvanel-Setup-$version.exe
# Notepad before Windows 10 shows a file of bare line feeds as one line.
notices=$(mktemp -d)
trap 'rm -rf "$notices"' EXIT
sed 's/\r*$/\r/' "$root/packaging/third_party_notices.txt" > "$notices/Orvanel-ThirdPartyNotices.txt"
makensis -V2 -DVERSION="$version" -DWIN32_DIR="$win32" -DWIN64_DIR="$win64" -DOUTFILE="$installer" \
  -DICON="$root/resources/icons/201-moon.ico" -DNOTICES="$notices/Orvanel-ThirdPartyNotices.txt" \
  "$here/orvanel.nsi" >&2
echo "$installer"
