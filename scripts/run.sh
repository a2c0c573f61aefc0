#!/usr/bin/env bash
# Builds and shows the sky: in a window when a display is present, otherwise
# headless into out/. With --windows, runs the Windows module under Wine
# instead: Orvanel.scr, or Orvanel64.scr on a host that runs no 32-bit code.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

if [ "${1:-}" = "--windows" ]; then
  # The module this host can run: Orvanel64.scr where it runs no 32-bit code.
  source tests/e2e/lib.sh
  preset=win32
  [ "$ORVANEL_HOST_32BIT" = yes ] || preset=win64
  if [ "$ORVANEL_HOST_32BIT" = yes ]; then
    echo "run.sh: this host runs 32-bit programs: showing $(orvanel_scr)"
  else
    echo "run.sh: this host runs no 32-bit programs${ORVANEL_NO_32BIT:+ (ORVANEL_NO_32BIT=$ORVANEL_NO_32BIT)}: showing $(orvanel_scr) with Wine's 64-bit loader"
  fi
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)" --target orvanel_scr
  orvanel_prepare_wine
  orvanel_prepare_display
  wine "$(orvanel_scr)" /s
  exit
fi

cmake --preset native-release >/dev/null
cmake --build --preset native-release -j "$(nproc)" --target orvanel
program=build/native-release/orvanel
if [ -n "${DISPLAY:-}" ]; then
  exec "$program" --window "$@"
fi
mkdir -p out
"$program" --headless --size 1280x720 --seconds 10 --out out "$@"
echo "Frames written to $PWD/out/"
