# A PulseAudio server of the check's own, whose only sink is a null sink at
# the sounds' own format (22 050 Hz mono), and a recording of what reaches it.
# Everything started here is stopped by pulse_cleanup.
pulse_pids=()
pulse_dir=$(mktemp -d)
pulse_rate=22050

pulse_cleanup() {
  for pid in "${pulse_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pulse_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$pulse_dir"
}

pulse_start() {
  mkdir -m 700 "$pulse_dir/runtime"
  export XDG_RUNTIME_DIR=$pulse_dir/runtime PULSE_STATE_PATH=$pulse_dir/state
  export PULSE_SERVER=unix:$pulse_dir/native
  # Run as root it warns but serves; --system=no keeps it a per-user server.
  HOME=$pulse_dir pulseaudio --daemonize=no --system=no --exit-idle-time=-1 -n --disallow-exit \
    --use-pid-file=no --log-target="file:$pulse_dir/server.log" \
    --load="module-null-sink sink_name=orvanel_check rate=$pulse_rate channels=1" \
    --load="module-native-protocol-unix socket=$pulse_dir/native auth-anonymous=1" &
  pulse_pids+=($!)
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl info >/dev/null 2>&1 || fail "PulseAudio did not start: $(cat "$pulse_dir/server.log" 2>/dev/null)"
  # Silence flowing all the time keeps the sink, and so the recording, running
  # before any sound starts: the recording's clock is then the wall clock.
  pacat --raw --format=s16le --rate=$pulse_rate --channels=1 --latency-msec=50 < /dev/zero 2>>"$pulse_dir/clients.log" &
  pulse_pids+=($!)
}

# Starts recording the sink into FILE (raw 16-bit mono) and returns once samples arrive.
pulse_record() {
  parec -d orvanel_check.monitor --format=s16le --rate=$pulse_rate --channels=1 --latency-msec=20 > "$1" 2>>"$pulse_dir/clients.log" &
  pulse_record_pid=$!
  pulse_pids+=($pulse_record_pid)
  for _ in $(seq 100); do [ -s "$1" ] && break; sleep 0.05; done
  [ -s "$1" ] || fail "parec recorded nothing"
  sleep 0.2
}

# How many seconds the recording FILE holds so far.
pulse_recorded_seconds() { awk -v bytes="$(stat -c %s "$1")" -v rate=$pulse_rate 'BEGIN { printf "%.3f", bytes / 2 / rate }'; }

# Waits up to SECONDS until FILE holds a sound (and enough of it to tell which);
# prints sound_heard.py's verdict, START being when the program started.
pulse_wait_heard() {  # FILE START SECONDS
  local verdict steps=$(( $3 * 2 ))
  for _ in $(seq "$steps"); do
    sleep 0.5
    verdict=$(/usr/bin/python3 "$ORVANEL_SOURCE_DIR/tests/e2e/sound_heard.py" "$1" "$2" \
              "$ORVANEL_SOURCE_DIR"/resources/sounds/*.wav)
    case $verdict in heard*) break ;; esac
  done
  echo "$verdict"
}

# The seconds between the start of the sound and the program's start, from a verdict.
pulse_onset() { sed -E 's/.* at (-?[0-9.]+) s.*/\1/' <<<"$1"; }
pulse_match() { sed -E 's/.*match ([0-9.]+).*/\1/' <<<"$1"; }
pulse_between() { awk -v x="$1" -v low="$2" -v high="$3" 'BEGIN { exit !(x >= low && x <= high) }'; }

# The clock offset (negative seconds) that puts the wall clock SECONDS before
# the full hour that began last: a clock going back never makes a timeout
# someone already computed wait longer.
pulse_offset_before_full_hour() {
  local now; now=$(date +%s)
  echo $(( (now / 3600) * 3600 - $1 - now ))
}

# A time zone (TZ, in the POSIX and C runtime form "ORV-hh:mm:ss") in which the
# local clock stands SECONDS before a full hour now.
pulse_zone_before_full_hour() {
  local ahead=$(( (7200 - $1 - $(date +%s) % 3600) % 3600 ))
  printf 'ORV-%02d:%02d:%02d' $(( ahead / 3600 )) $(( ahead % 3600 / 60 )) $(( ahead % 60 ))
}
