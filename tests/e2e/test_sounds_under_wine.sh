#!/usr/bin/env bash
# The module under Wine is heard through Wine's PulseAudio driver on a server
# of the check's own: the chosen ocean waves about 1.5 s after the sky
# appears, and the hourly chime when the clock (faked) passes a full hour.
# Judged from a recording of the server's sink.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/pulse_lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
orvanel_keep_wine_settings
trap 'pulse_cleanup; orvanel_restore_wine_settings; wineserver -k 2>/dev/null || true
      [ -n "${ORVANEL_XVFB_PID:-}" ] && kill $ORVANEL_XVFB_PID 2>/dev/null || true' EXIT
pulse_start
scr=$(orvanel_scr)
recording=$work/recording.raw

start_module() {  # SETTING...
  printf '%s\r\n' "$@" > "$ini"
  rm -f "$recording"
  pulse_record "$recording"
  start=$(pulse_recorded_seconds "$recording")
  "${launcher[@]}" wine "$scr" /s >>"$work/wine.log" 2>&1 &
  pid=$!
}

stop_module() {
  orvanel_stop "$pid"
  wait "$pid" 2>/dev/null || true
  kill "$pulse_record_pid"
}

launcher=()
start_module snd_selectedSound=4 snd_loopSound=no snd_cuckooEveryHour=no
verdict=$(pulse_wait_heard "$recording" "$start" 20)
stop_module
echo "selected sound: $verdict"
[[ $verdict == "heard 117-ocean-waves.wav"* ]] || fail "no ocean waves heard: $verdict"
# Wine mixes and may resample, and its stream can stutter as it starts: the
# match is looser than the native player's bit-exact one.
pulse_between "$(pulse_match "$verdict")" 0.5 1.0 || fail "the sound heard is not the ocean waves as stored"
# Wine takes a moment to start before the sky's first frame.
pulse_between "$(pulse_onset "$verdict")" 1.4 8.0 || fail "the ocean waves did not start about 1.5 s in"

# Twelve seconds before a full hour of the local clock, for Wine's start and
# the 1.5 s between looks at the clock. A preloaded clock library does not
# reach the time Wine gives its programs, so the local clock is moved
# instead: a time zone ahead of UTC by the seconds needed (the C runtime's TZ
# takes hours, minutes and seconds).
launcher=(env "TZ=$(pulse_zone_before_full_hour 12)")
start_module snd_selectedSound=0 snd_cuckooEveryHour=yes
verdict=$(pulse_wait_heard "$recording" "$start" 30)
stop_module
echo "hourly chime: $verdict"
[[ $verdict == "heard 111-cuckoo.wav"* || $verdict == "heard 114-rooster.wav"* ]] || fail "no chime heard: $verdict"
pulse_between "$(pulse_match "$verdict")" 0.5 1.0 || fail "the chime heard is not the one stored"
# The zone is whole seconds of a clock read a fraction of a second later.
pulse_between "$(pulse_onset "$verdict")" 10.5 20.0 || fail "the chime did not come at the full hour"
echo "the module is heard under Wine: the chosen sound and the hourly chime"
