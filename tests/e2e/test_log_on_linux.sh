#!/usr/bin/env bash
# The Linux program writes the same log to $TMPDIR and copies an errored log
# to the XDG desktop folder.
source "$(dirname "$0")/lib.sh"
program=${ORVANEL_NATIVE_BUILD_DIR:-$ORVANEL_SOURCE_DIR/build/native}/orvanel
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tmp" "$work/desk"
export TMPDIR=$work/tmp XDG_DESKTOP_DIR=$work/desk HOME=$work

"$program" --help >/dev/null || fail "program exited with $?"
log=$work/tmp/Orvanel.keslLog.txt
[ -f "$log" ] || fail "no log at $log"
grep -q $'^Info>\tkeslLog starting\r$' "$log" || fail "no start line"
grep -q $'^Info>\tLog filename:'"$log"$'\r$' "$log" || fail "no log file name"
[ ! -e "$work/desk/Orvanel.keslLog.txt" ] || fail "a clean run was copied"

printf 'ERROR>\tsimulated failure\r\n' >> "$log"
"$program" --help >/dev/null
grep -q 'simulated failure' "$work/desk/Orvanel.keslLog.txt" || fail "no desktop copy"
! grep -q 'simulated failure' "$log" || fail "log was not emptied"
# Every run ends with its frame times, in the same words as under Windows.
"$program" --headless --size 320x200 --seconds 1 --out "$work/frames" >/dev/null || fail "headless run failed"
grep -Eq $'^Info>\t(\\| )*Frames: 25 in [0-9]+\\.[0-9] s, average [0-9]+\\.[0-9] ms, slowest [0-9]+\\.[0-9] ms\r$' "$log" ||
  fail "no frame times at the end of the run"
echo "log and desktop copy as expected; the run ends with its frame times"
