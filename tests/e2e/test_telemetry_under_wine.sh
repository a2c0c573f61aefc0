#!/usr/bin/env bash
# Usage statistics of the Windows module over WinHTTP, against a collector on
# 127.0.0.1 named as a Matomo server by the deployment file beside the module:
# about 30 seconds of sky send the "screensaver run" screen view with the
# session's fields; without the user's consent nothing arrives; and with a
# collector that never answers, a key still ends the run within 3.5 s.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
orvanel_keep_wine_settings
collector=
stop_collector() {
  [ -n "$collector" ] || return 0
  kill "$collector" 2>/dev/null || true
  wait "$collector" 2>/dev/null || true
  collector=
}
previous_trap=$(trap -p EXIT | sed -e "s/^trap -- '//" -e "s/' EXIT\$//")
trap "stop_collector; $previous_trap" EXIT

# A copy of the module, so its deployment file stays out of the build folder.
mkdir -p "$work/bin"
cp "$(orvanel_scr)" "$work/bin/Orvanel.scr"
scr=$work/bin/Orvanel.scr

start_collector() {  # [--hang]
  rm -f "$work/port" "$work/bodies"
  touch "$work/bodies"
  /usr/bin/python3 "$ORVANEL_SOURCE_DIR/tests/e2e/collector.py" "$work/port" "$work/bodies" "$@" &
  collector=$!
  for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
  [ -s "$work/port" ] || fail "the collector did not start"
  printf 'trackingID=5\r\nMatomoUrl=http://127.0.0.1:%s/matomo.php\r\n' "$(cat "$work/port")" >"$work/bin/Orvanel.telemetry"
}

# Starts the sky and waits (at most 40 s) for its screensaver-run screen view.
run_until_screen_view() {
  xdotool mousemove 100 100
  wine "$scr" /s &
  pid=$!
  orvanel_wait_window || { orvanel_stop "$pid"; fail "no screensaver window"; }
  for _ in $(seq 400); do grep -q 'cd=screensaver%20run' "$work/bodies" && return 0; sleep 0.1; done
  orvanel_stop "$pid"
  fail "no screensaver-run screen view after 40 s: $(cat "$work/bodies")"
}

start_collector
rm -f "$ini"
run_until_screen_view
sleep 1
xdotool key space
orvanel_wait_exit "$pid" 5
[ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "a key did not end the run: $exit_code"; }
run=$(grep 'cd=screensaver%20run' "$work/bodies")
[ "$(grep -c . <<<"$run")" = 1 ] || fail "not one screensaver-run screen view: $run"
for field in '^/matomo.php application/x-www-form-urlencoded ' 'idsite=5' 'rec=1' 'apiv=1' 't=screenview' \
             '_id=[0-9a-f]{16}(&|$)' 'rand=[0-9]+' 'res=1024x768' 'ua=Orvanel%20screensaver%2F5[^ ]*Windows%20NT' \
             '_cvar=%7B%221%22%3A%5B%22appName%22'; do
  grep -qE -- "$field" <<<"$run" || fail "the screen view lacks $field: $run"
done
grep -q 'System-Info%2FCPU-cores' "$work/bodies" || fail "no system-information hit: $(cat "$work/bodies")"
stop_collector
echo "a run of the module sends one screensaver-run screen view with the session's fields"

# Without consent not even the hits of the start (system information) go out.
start_collector
printf 'UserGaveTelemetryConsent=no\r\n' >"$ini"
xdotool mousemove 100 100
wine "$scr" /s &
pid=$!
orvanel_wait_window || { orvanel_stop "$pid"; fail "no screensaver window"; }
# Hits go out as the run starts; once the run has said that statistics are
# off, a second more shows whether any came anyway.
for _ in $(seq 100); do
  { tr -d '\r' <"$(orvanel_log_file)"; } 2>/dev/null | grep -F "Telemetry is off: the user did not consent" >/dev/null && break
  sleep 0.1
done
sleep 1
xdotool key space
orvanel_wait_exit "$pid" 5
[ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "a key did not end the run without consent: $exit_code"; }
[ ! -s "$work/bodies" ] || fail "the collector received hits without consent: $(cat "$work/bodies")"
tr -d '\r' <"$(orvanel_log_file)" | grep -F "Telemetry is off: the user did not consent" >/dev/null \
  || fail "the log does not say telemetry is off"
stop_collector
echo "without consent the collector receives nothing"

start_collector --hang
rm -f "$ini"
run_until_screen_view
pressed=$(date +%s%N)
xdotool key space
orvanel_wait_exit "$pid" 10
ended_ms=$(( ($(date +%s%N) - pressed) / 1000000 ))
[ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "with the collector hanging, a key did not end the run: $exit_code"; }
[ "$ended_ms" -le 3500 ] || fail "with the collector hanging, the run ended $ended_ms ms after the key, not within 3.5 s"
stop_collector
echo "a collector that never answers holds the end of a run $ended_ms ms (at most 3.5 s)"
