#!/usr/bin/env bash
# How much CPU the sky costs on Wayland next to X11, in the same run: the
# program and its display server (Xvfb for --root; a headless sway with
# software rendering for --wayland and --wayland-wallpaper), each at one
# 1920x1080 screen, CPU time read from /proc over 20 seconds after a
# 3-second warm-up. An idle sway is measured too, for what the compositor
# costs with nothing to show. sway refuses root: run as root, the
# compositor and the program run as the user scripts/setup.sh makes.
#
#   bench/compare_cpu_wayland.sh [path/to/orvanel]
#
# Other work on the machine shows up in the numbers: run it on a quiet
# machine (see uptime) and more than once. WARMUP and SECONDS_MEASURED
# override the times; SIZE the screen (default 1920x1080).
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
orvanel=${1:-$source_dir/build/native-release/orvanel}
warmup=${WARMUP:-3}
measured=${SECONDS_MEASURED:-20}
size=${SIZE:-1920x1080}
user=orvanel-test
ticks_per_second=$(getconf CLK_TCK)
[ -x "$orvanel" ] || { echo "missing $orvanel (build it first)" >&2; exit 1; }

work=$(mktemp -d)
chmod 711 "$work"
mkdir -p "$work/home" "$work/tmp" "$work/runtime"
chmod 700 "$work/runtime"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R "$user:" "$work/home" "$work/tmp" "$work/runtime"
  as_user=(setpriv --reuid="$user" --regid="$user" --clear-groups)
fi
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# User plus system time of a process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Percent of one core used by PROGRAM_PID (none: -) and SERVER_PID over the measured seconds.
measure() {  # NAME PROGRAM_PID SERVER_PID
  local name=$1 program=$2 server=$3 p0=0 p1=0 s0 s1 t0 t1
  sleep "$warmup"
  if [ "$program" != - ]; then
    kill -0 "$program" 2>/dev/null || { echo "$name ended early" >&2; exit 1; }
    p0=$(cpu_ticks "$program")
  fi
  s0=$(cpu_ticks "$server"); t0=$(date +%s.%N)
  sleep "$measured"
  [ "$program" != - ] && p1=$(cpu_ticks "$program")
  s1=$(cpu_ticks "$server"); t1=$(date +%s.%N)
  awk -v n="$name" -v p=$((p1 - p0)) -v x=$((s1 - s0)) -v t0="$t0" -v t1="$t1" -v hz="$ticks_per_second" 'BEGIN {
    s = t1 - t0; pp = 100 * p / hz / s; xp = 100 * x / hz / s
    printf "%-20s %8.1f %% %8.1f %% %8.1f %%\n", n, pp, xp, pp + xp
  }'
}

stop() { kill "$1" 2>/dev/null; wait "$1" 2>/dev/null || true; }

echo "$size, ${measured} s after ${warmup} s warm-up; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
printf "%-20s %10s %10s %10s\n" run program server total

display=":$(( 200 + RANDOM % 300 ))"
Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!; pids+=("$xvfb")
for _ in $(seq 50); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
DISPLAY=$display XDG_CONFIG_HOME="$work/home" TMPDIR="$work/tmp" "$orvanel" --root >/dev/null 2>&1 &
program=$!; pids+=("$program")
measure "X11 --root" "$program" "$xvfb"
stop "$program"; stop "$xvfb"

session=(env -i PATH=/usr/bin:/bin HOME="$work/home" TMPDIR="$work/tmp" XDG_RUNTIME_DIR="$work/runtime")
printf 'xwayland disable\noutput * mode %s\n' "$size" > "$work/sway.conf"
chmod 644 "$work/sway.conf"
"${as_user[@]}" "${session[@]}" WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=1 WLR_RENDERER=pixman \
  WLR_LIBINPUT_NO_DEVICES=1 sway -c "$work/sway.conf" >/dev/null 2>&1 &
sway=$!; pids+=("$sway")
for _ in $(seq 100); do [ -S "$work/runtime/wayland-1" ] && break; sleep 0.05; done
measure "sway, nothing shown" - "$sway"
for mode in --wayland --wayland-wallpaper; do
  "${as_user[@]}" "${session[@]}" WAYLAND_DISPLAY=wayland-1 "$orvanel" "$mode" >/dev/null 2>&1 &
  program=$!; pids+=("$program")
  measure "Wayland $mode" "$program" "$sway"
  stop "$program"
done
