#!/usr/bin/env bash
# How much CPU the sky costs on an X display, next to two XScreenSaver hacks:
# each program draws on the root window of one Xvfb at 1920x1080, and the
# program's and the X server's CPU time are read from /proc over 20 seconds
# after a 3-second warm-up. Needs xvfb, xscreensaver-data and
# xscreensaver-data-extra (scripts/setup.sh installs them) and a built
# orvanel (default: build/native-release/orvanel).
#
#   bench/compare_cpu.sh [path/to/orvanel]
#
# Other work on the machine shows up in the numbers: run it on a quiet
# machine (see uptime) and more than once. WARMUP and SECONDS_MEASURED
# override the times; SIZE the screen (default 1920x1080). ONLY_ORVANEL=1
# skips the two hacks (and the comparison); ORVANEL_ARGS adds arguments to
# the sky's command line (say --real-sky); ORVANEL_AT="YYYY-MM-DD HH:MM:SS"
# starts the sky's clock (only the sky's) at that moment with faketime, such
# as a night hour or a day hour of the real sky.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
orvanel=${1:-$source_dir/build/native-release/orvanel}
hacks=/usr/libexec/xscreensaver
warmup=${WARMUP:-3}
measured=${SECONDS_MEASURED:-20}
size=${SIZE:-1920x1080}
only_orvanel=${ONLY_ORVANEL:-0}
read -r -a orvanel_args <<<"${ORVANEL_ARGS:-}"
# libfaketime preloaded into the sky itself: the faketime wrapper would be a
# parent process, and its own CPU time what gets measured.
clock=()
if [ -n "${ORVANEL_AT:-}" ]; then
  libfaketime=$(find /usr/lib -name libfaketime.so.1 -path '*faketime*' | head -1)
  [ -n "$libfaketime" ] || { echo "libfaketime is missing (scripts/setup.sh installs faketime)" >&2; exit 1; }
  clock=(LD_PRELOAD="$libfaketime" FAKETIME="@$ORVANEL_AT")
fi
ticks_per_second=$(getconf CLK_TCK)

programs=("$orvanel")
[ "$only_orvanel" = 1 ] || programs+=("$hacks/xmatrix" "$hacks/fontglide")
for program in "${programs[@]}"; do
  [ -x "$program" ] || { echo "missing $program (build orvanel; install xscreensaver-data and -extra)" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

display=":$(( 200 + RANDOM % 300 ))"
# -noreset: the next program must not find the server resetting after the last one left.
Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $display" >&2; exit 1; }

# User plus system time of a process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Percent of one core used by the program and by the X server.
measure() {
  local name=$1; shift
  "$@" >"$work/$name.out" 2>&1 &
  program_pid=$!
  sleep "$warmup"
  kill -0 "$program_pid" 2>/dev/null || { echo "$name ended early:" >&2; cat "$work/$name.out" >&2; exit 1; }
  local p0 x0 t0 p1 x1 t1
  p0=$(cpu_ticks "$program_pid"); x0=$(cpu_ticks "$xvfb_pid"); t0=$(date +%s.%N)
  sleep "$measured"
  p1=$(cpu_ticks "$program_pid"); x1=$(cpu_ticks "$xvfb_pid"); t1=$(date +%s.%N)
  kill "$program_pid" 2>/dev/null; wait "$program_pid" 2>/dev/null || true
  program_pid=""
  awk -v n="$name" -v p=$((p1 - p0)) -v x=$((x1 - x0)) -v t0="$t0" -v t1="$t1" -v hz="$ticks_per_second" 'BEGIN {
    s = t1 - t0; pp = 100 * p / hz / s; xp = 100 * x / hz / s
    printf "%-10s %8.1f %% %8.1f %% %8.1f %%\n", n, pp, xp, pp + xp
  }' | tee -a "$work/table"
}

echo "$size, ${measured} s after ${warmup} s warm-up; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
printf "%-10s %10s %10s %10s\n" program program "X server" total
# The sky keeps its settings and log away from the user's own.
mkdir -p "$work/config" "$work/tmp"
measure orvanel env XDG_CONFIG_HOME="$work/config" TMPDIR="$work/tmp" TZ=UTC "${clock[@]}" "$orvanel" --root \
  "${orvanel_args[@]}"
[ "$only_orvanel" = 1 ] && exit 0
measure xmatrix "$hacks/xmatrix" -root
measure fontglide "$hacks/fontglide" -root

awk '{ total[$1] = $(NF - 1) } END {
  lighter = total["xmatrix"] < total["fontglide"] ? total["xmatrix"] : total["fontglide"]
  printf "orvanel uses %.0f %% of the lighter hack (%.1f %% of %.1f %%): %s\n", 100 * total["orvanel"] / lighter,
         total["orvanel"], lighter, total["orvanel"] <= lighter / 2 ? "at most half" : "MORE than half"
}' "$work/table"
