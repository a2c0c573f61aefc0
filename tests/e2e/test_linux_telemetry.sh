#!/usr/bin/env bash
# Usage statistics of the native program, against a collector on 127.0.0.1
# named as a Matomo server by the deployment file beside the program: 30
# seconds of sky send the "screensaver run" screen view with the session's
# fields; without the user's consent nothing at all arrives; and a collector
# that never answers holds the end of a run no more than about 3 seconds.
source "$(dirname "$0")/linux_lib.sh"
linux_fresh_user
unset DISPLAY

# (Without a display there are no screens, so no resolution is sent.)
# A copy of the program, so its deployment file stays out of the build folder.
mkdir -p "$work/bin"
cp "$program" "$work/bin/orvanel"
program=$work/bin/orvanel
log=$TMPDIR/Orvanel.keslLog.txt

start_collector() {  # [--hang]
  rm -f "$work/port" "$work/bodies"
  touch "$work/bodies"
  /usr/bin/python3 "$ORVANEL_SOURCE_DIR/tests/e2e/collector.py" "$work/port" "$work/bodies" "$@" &
  collector=$!
  linux_pids+=("$collector")
  for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
  [ -s "$work/port" ] || fail "the collector did not start"
  printf 'trackingID=5\r\nMatomoUrl=http://127.0.0.1:%s/matomo.php\r\n' "$(cat "$work/port")" >"$work/bin/Orvanel.telemetry"
}
stop_collector() { kill "$collector" 2>/dev/null || true; wait "$collector" 2>/dev/null || true; }
run_sky() { timeout 180 "$program" --headless --size 960x600 --seconds "$1" --out "$work/frames" >/dev/null; }

start_collector
run_sky 30 || fail "a 30-second run exited with $?"
run=$(grep 'cd=screensaver%20run' "$work/bodies" || true)
[ "$(grep -c . <<<"$run")" = 1 ] || fail "not one screensaver-run screen view: $(cat "$work/bodies")"
for field in '^/matomo.php application/x-www-form-urlencoded ' 'idsite=5' 'rec=1' 'apiv=1' 't=screenview' \
             '_id=[0-9]+' 'rand=[0-9]+' 'ua=Orvanel%20screensaver%2F5' '_cvar=%7B%221%22%3A%5B%22appName%22'; do
  grep -qE -- "$field" <<<"$run" || fail "the screen view lacks $field: $run"
done
grep -q 'System-Info%2FCPU-cores' "$work/bodies" || fail "no system-information hit: $(cat "$work/bodies")"
stop_collector
echo "a 30-second run sends one screensaver-run screen view with the session's fields"

start_collector
mkdir -p "$HOME/.config/Orvanel software"
printf 'UserGaveTelemetryConsent=no\r\n' >"$HOME/.config/Orvanel software/Orvanel screensaver.ini"
run_sky 30 || fail "a run without consent exited with $?"
sleep 1
[ ! -s "$work/bodies" ] || fail "the collector received hits without consent: $(cat "$work/bodies")"
grep -q "Telemetry is off: the user did not consent" "$log" || fail "the log does not say telemetry is off"
rm "$HOME/.config/Orvanel software/Orvanel screensaver.ini"
stop_collector
echo "without consent the collector receives nothing"

start_collector --hang
"$program" --headless --size 960x600 --seconds 3600 --out "$work/long" >/dev/null &
pid=$!
linux_pids+=("$pid")
for _ in $(seq 1200); do grep -q 'cd=screensaver%20run' "$work/bodies" && break; sleep 0.1; done
grep -q 'cd=screensaver%20run' "$work/bodies" || fail "the run never sent its screen view"
kill -TERM "$pid"
orvanel_wait_exit "$pid" 4
[ "$exit_code" = 0 ] || fail "with the collector hanging, SIGTERM did not end the run within 4 s: $exit_code"
grep -q "keslHttpPostClient destructor: Timeout reached." "$log" || fail "the drain did not give up"
stop_collector
echo "a collector that never answers holds the end of a run no more than about 3 seconds"
