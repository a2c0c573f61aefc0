#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every check: native
# tests with sanitizers, the Windows test program under Wine, the end-to-end
# checks under Wine in a virtual display, and bounded fuzzing. Ends with
# CTest's summary; non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
started=$(date +%s)

scripts/setup.sh

jobs=$(nproc)
for preset in native native-release win32 win64 fuzz; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

# One Wine prefix per run, with its own HOME so nothing leaks into the
# user's real folders, and one virtual display for every Wine check.
export WINEPREFIX=$root/build/wineprefix
rm -rf "$WINEPREFIX" "$WINEPREFIX.home" "${WINEPREFIX}32"
source tests/e2e/lib.sh
echo "== prepare Wine prefix and display"
orvanel_prepare_wine
orvanel_prepare_display

echo "== tests"
status=0
ctest --preset native --output-on-failure || status=$?
echo "scripts/test.sh took $(( $(date +%s) - started )) s"
exit $status
