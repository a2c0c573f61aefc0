#!/usr/bin/env bash
# The Linux program is heard through a PulseAudio server of the check's own:
# the chosen ocean waves about 1.5 s after the start, and the hourly chime
# when the clock (faked) passes a full hour. Without a server it runs on
# silently and says so once in its log. Judged from a recording of the sink.
source "$(dirname "$0")/linux_lib.sh"
source "$(dirname "$0")/pulse_lib.sh"
trap 'pulse_cleanup; linux_cleanup' EXIT
linux_fresh_user
linux_own_display
pulse_start
settings_dir="$HOME/.config/Orvanel software"
mkdir -p "$settings_dir"
log=$TMPDIR/Orvanel.keslLog.txt
recording=$work/recording.raw
export TZ=UTC

# Starts the program with the settings given (CR LF lines), in front of a fresh recording.
start_program() {  # SETTING...
  printf '%s\r\n' "$@" > "$settings_dir/Orvanel screensaver.ini"
  rm -f "$recording"
  pulse_record "$recording"
  start=$(pulse_recorded_seconds "$recording")
  "${launcher[@]}" "$program" --window --size 640x400 >/dev/null 2>&1 &
  program_pid=$!
  linux_pids+=("$program_pid")
}

stop_program() {
  linux_terminate "$program_pid"
  [ "$exit_code" = 0 ] || fail "the program did not end with 0 on SIGTERM: $exit_code"
  kill "$pulse_record_pid"
}

launcher=()
start_program snd_selectedSound=4 snd_loopSound=no snd_cuckooEveryHour=no
verdict=$(pulse_wait_heard "$recording" "$start" 8)
stop_program
echo "selected sound: $verdict"
[[ $verdict == "heard 117-ocean-waves.wav"* ]] || fail "no ocean waves heard: $verdict"
pulse_between "$(pulse_match "$verdict")" 0.9 1.0 || fail "the sound heard is not the ocean waves as stored"
pulse_between "$(pulse_onset "$verdict")" 1.3 2.5 || fail "the ocean waves did not start about 1.5 s in"

# Six seconds before a full hour: the clock is looked at every 1.5 s, so the
# minute 59 is seen and then the minute 0. Monotonic time stays real. (The
# sanitised build wants its runtime first; the clock library comes first here.)
launcher=(env LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
          FAKETIME="$(pulse_offset_before_full_hour 6)" DONT_FAKE_MONOTONIC=1
          ASAN_OPTIONS=verify_asan_link_order=0)
start_program snd_selectedSound=0 snd_cuckooEveryHour=yes
verdict=$(pulse_wait_heard "$recording" "$start" 15)
stop_program
echo "hourly chime: $verdict"
[[ $verdict == "heard 111-cuckoo.wav"* || $verdict == "heard 114-rooster.wav"* ]] || fail "no chime heard: $verdict"
pulse_between "$(pulse_match "$verdict")" 0.9 1.0 || fail "the chime heard is not the one stored"
# The offset is whole seconds of a clock read a fraction of a second later.
pulse_between "$(pulse_onset "$verdict")" 4.5 9.5 || fail "the chime did not come at the full hour"

# No server: the sky runs as ever, silent, and the log says why once.
launcher=(env PULSE_SERVER=unix:$work/no-sound-server)
start_program snd_selectedSound=4 snd_loopSound=yes
sleep 3
[ "$(pulse_recorded_seconds "$recording")" != "$start" ] || fail "the recording stopped"
verdict=$(/usr/bin/python3 "$ORVANEL_SOURCE_DIR/tests/e2e/sound_heard.py" "$recording" "$start" \
          "$ORVANEL_SOURCE_DIR"/resources/sounds/*.wav)
stop_program
[[ $verdict == silence* ]] || fail "a sound reached the check's server without being pointed to it: $verdict"
notices=$(grep -c "no sound server to play to" "$log" || true)
[ "$notices" = 1 ] || fail "expected one log line about the missing server, found $notices"
grep -q "Playing sound 4 (WAVE 117) in a loop" "$log" || fail "the sound was not even asked for"
# Looking for the server must not hold up a frame (a hang, not a speed, is what this catches).
slowest=$(sed -nE 's/.*Frames: .* slowest ([0-9.]+) ms.*/\1/p' "$log")
[ -n "$slowest" ] || fail "no frame times in the log"
pulse_between "$slowest" 0 1000 || fail "a frame took $slowest ms without a sound server"
echo "sounds heard at their times; silent with one log line without a server"
