#!/usr/bin/env bash
# Builds and shows the sky: in a window when a display is present, otherwise
# headless into out/. With --windows, runs Orvanel.scr under Wine instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

if [ "${1:-}" = "--windows" ]; then
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 -j "$(nproc)"
  source tests/e2e/lib.sh
  orvanel_prepare_wine
  orvanel_prepare_display
  wine build/win32/Orvanel.scr /s
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
