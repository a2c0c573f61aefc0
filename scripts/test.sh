#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every check: native
# tests with sanitizers, the Windows test program under Wine, the end-to-end
# checks under Wine in a virtual display, and bounded fuzzing. On a host that
# runs no 32-bit code (or with ORVANEL_NO_32BIT=1) the Wine checks run the
# 64-bit module and what needs 32-bit code is reported as skipped. Ends with
# CTest's summary and how long each phase took; non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
started=$(date +%s)

phase_names=()
phase_seconds=()
phase_started=$started
end_phase() {  # NAME
  local now; now=$(date +%s)
  phase_names+=("$1")
  phase_seconds+=($(( now - phase_started )))
  phase_started=$now
}
print_phases() {
  local i
  echo "== time per phase"
  for i in "${!phase_names[@]}"; do
    printf '  %-28s %5d s\n' "${phase_names[$i]}" "${phase_seconds[$i]}"
  done
  printf '  %-28s %5d s\n' "scripts/test.sh in all" $(( $(date +%s) - started ))
  echo "== host: $(orvanel_describe_wine_host)"
}

scripts/setup.sh
end_phase "installs (setup.sh)"

# One Wine prefix per run, with its own HOME so nothing leaks into the
# user's real folders, and one virtual display for every Wine check. Making
# the prefixes (and the installer check's 32-bit one) is mostly waiting on
# Wine's own services, so it runs beside the builds. Whether the host runs
# 32-bit programs is asked here once; the checks inherit the answer.
export WINEPREFIX=$root/build/wineprefix
rm -rf "$WINEPREFIX" "$WINEPREFIX.home" "${WINEPREFIX}32"
mkdir -p "$root/build"
source tests/e2e/lib.sh
echo "== host: $(orvanel_describe_wine_host)"
( orvanel_prepare_wine && orvanel_prepare_wine32 ) >"$root/build/wineprefix.log" 2>&1 &
prefix_pid=$!

jobs=$(nproc)
for preset in native native-release win32 win64 fuzz; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  end_phase "build $preset"
done

echo "== prepare Wine prefix and display"
wait "$prefix_pid" || { cat "$root/build/wineprefix.log" >&2; echo "could not make the Wine prefix" >&2; exit 1; }
orvanel_prepare_wine
orvanel_prepare_display
end_phase "Wine prefix (rest of)"

echo "== tests"
status=0
ctest --preset native --output-on-failure -j "$jobs" || status=$?
# CTest shows a skipped check's output nowhere but in its log: say why here.
awk '/^[0-9]+\/[0-9]+ Testing: / { name = $3 }
     /^SKIPPED: / { sub(/^SKIPPED: /, ""); print "  " name ": " $0 }' \
  build/native/Testing/Temporary/LastTest.log 2>/dev/null | sed '1i == skipped, and why' || true
end_phase "tests (ctest -j $jobs)"
print_phases
exit $status
