#!/usr/bin/env bash
# Usage statistics of the native program, against a collector on 127.0.0.1
# named as a Matomo server by the deployment file beside the program: 30
# seconds of sky send the "screensaver run" screen view with the session's
# fields and what the system tells (client id in Matomo's 16 hex digits, memory, processor, a user
# agent naming the system), never a 0 or an empty value; another user of
# the same computer is another client; without the user's consent nothing at
# all arrives; and a collector that never answers holds the end of a run no
# more than 3.1 seconds, with no request thread left when main returns.
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
encoded() { /usr/bin/python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1], safe=""))' "$1"; }
# The one client id of every hit received.
client_id() {
  local ids
  ids=$(grep -oE '&_id=[^&]*' "$work/bodies" | sort -u)
  [ "$(grep -c . <<<"$ids")" = 1 ] || fail "not one client id in the hits: $(cat "$work/bodies")"
  echo "${ids#&_id=}"
}

start_collector
run_sky 30 || fail "a 30-second run exited with $?"
run=$(grep 'cd=screensaver%20run' "$work/bodies" || true)
[ "$(grep -c . <<<"$run")" = 1 ] || fail "not one screensaver-run screen view: $(cat "$work/bodies")"
for field in '^/matomo.php application/x-www-form-urlencoded ' 'idsite=5' 'rec=1' 'apiv=1' 't=screenview' \
             '_id=[0-9a-f]{16}(&|$)' 'rand=[0-9]+' 'ua=Orvanel%20screensaver%2F5' '_cvar=%7B%221%22%3A%5B%22appName%22'; do
  grep -qE -- "$field" <<<"$run" || fail "the screen view lacks $field: $run"
done
grep -q 'System-Info%2FCPU-cores' "$work/bodies" || fail "no system-information hit: $(cat "$work/bodies")"
ua="ua=Orvanel%20screensaver%2F5[^&]*%28$(encoded "$(uname -s) $(uname -r); $(uname -m)")%29"
grep -qE "$ua" <<<"$run" || fail "the user agent does not name the system ($ua): $run"
grep -qE 'System-Info%2FInstalled%20RAM%20memory%2F[1-9][0-9.]*%20[KMGT]B' "$work/bodies" \
  || fail "no installed memory: $(cat "$work/bodies")"
grep -qE 'System-Info%2FFree%20RAM%20memory%2F[1-9]' "$work/bodies" || fail "no free memory: $(cat "$work/bodies")"
model=$(sed -n 's/^model name[[:space:]]*:[[:space:]]*//p' /proc/cpuinfo | head -1 | sed 's/[[:space:]]*$//')
if [ -n "$model" ]; then
  grep -qE "System-Info%2FCPU-model%2F$(encoded "$model")(&|\$)" "$work/bodies" \
    || fail "no processor model [$model]: $(cat "$work/bodies")"
else
  ! grep -q 'CPU-model' "$work/bodies" || fail "a processor model /proc/cpuinfo does not name: $(cat "$work/bodies")"
fi
! grep -qE '=(&|$)|%2F0%20bytes|%3A%20(&|$)' "$work/bodies" || fail "a value sent as 0 or empty: $(cat "$work/bodies")"
first_id=$(client_id)
first_rands=$(grep -oE 'rand=[0-9]+' "$work/bodies" | sort -u)
stop_collector
echo "a 30-second run sends one screensaver-run screen view with the session's fields and the system's facts"

# Another user of the same computer (nobody, with the first user's login
# variables: the system's user database names the user, not the variables).
start_collector
chmod a+rx "$work" "$work/bin"
mkdir -p "$work/other/tmp"
chown -R nobody "$work/other"
as_other_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
[ "$(id -u)" = 0 ] || as_other_user=(sudo -n -u nobody)
"${as_other_user[@]}" env HOME="$work/other" TMPDIR="$work/other/tmp" USER="$(id -un)" LOGNAME="$(id -un)" \
  timeout 180 "$program" --headless --size 320x200 --seconds 5 --out "$work/other/frames" >/dev/null \
  || fail "a run as another user exited with $?"
other_id=$(client_id)
[ "$other_id" != "$first_id" ] || fail "two users of one computer share the client id $first_id"
shared_rands=$(comm -12 <(echo "$first_rands") <(grep -oE 'rand=[0-9]+' "$work/bodies" | sort -u))
[ -z "$shared_rands" ] || fail "two runs sent the same cache-busting numbers: $shared_rands"
stop_collector
echo "another user of the same computer sends another client id, and the second run other rand values"

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
killed=$(date +%s%N)
while kill -0 "$pid" 2>/dev/null && [ $(( $(date +%s%N) - killed )) -lt 5000000000 ]; do sleep 0.01; done
elapsed_ms=$(( ($(date +%s%N) - killed) / 1000000 ))
orvanel_wait_exit "$pid" 1
[ "$exit_code" = 0 ] || fail "with the collector hanging, SIGTERM did not end the run: $exit_code"
[ "$elapsed_ms" -le 3100 ] || fail "with the collector hanging, the run took $elapsed_ms ms to end"
grep -qE "curl error code 28|request\(s\) cut off at shutdown" "$log" || fail "the hanging posts were not ended"
grep -q "the request thread has ended" "$log" || fail "the request thread was not joined"
[ "$(grep -oE 'the request thread has ended|Exiting: main' "$log" | tail -2 | tr '\n' '|')" = \
  "the request thread has ended|Exiting: main|" ] || fail "the request thread was not joined before main returned"
stop_collector
echo "a collector that never answers holds the end of a run $elapsed_ms ms, and no request thread outlives main"
