#!/usr/bin/env bash
# The native program keeps its settings where Linux programs do
# ($XDG_CONFIG_HOME, else ~/.config) and its log in $TMPDIR. A user who never
# ran it (no ~/.config at all) gets the defaults and no error.
source "$(dirname "$0")/linux_lib.sh"
linux_fresh_user
unset DISPLAY
log=$TMPDIR/Orvanel.keslLog.txt
settings="$HOME/.config/Orvanel software/Orvanel screensaver.ini"

"$program" --headless --size 480x320 --seconds 0.2 --out "$work/out" >/dev/null || fail "fresh run exited with $?"
[ -f "$log" ] || fail "no log at $log"
grep -qF "Settings file:$settings (not there yet: defaults in force)" "$log" \
  || fail "the log does not name the default settings: $(grep 'Settings file' "$log")"
[ -d "$HOME/.config/Orvanel software" ] || fail "no settings folder in ~/.config"
[ "$(stat -c %a "$HOME/.config")" = 700 ] || fail "~/.config is not private"
! grep -q '^ERROR>' "$log" || fail "a fresh user's run logged errors: $(grep '^ERROR>' "$log")"
[ ! -e "$HOME/Desktop" ] || fail "a clean run left something on the desktop"
echo "fresh home: defaults, settings folder in ~/.config, log in \$TMPDIR, no errors"

export XDG_CONFIG_HOME=$work/xdg
mkdir -p "$XDG_CONFIG_HOME/Orvanel software"
printf 'background=1\r\n' > "$XDG_CONFIG_HOME/Orvanel software/Orvanel screensaver.ini"
"$program" --headless --size 480x320 --seconds 0.2 --out "$work/out" >/dev/null || fail "XDG run exited with $?"
grep -qF "Settings file:$XDG_CONFIG_HOME/Orvanel software/Orvanel screensaver.ini"$'\r' "$log" \
  || fail "XDG_CONFIG_HOME was not used: $(grep 'Settings file' "$log")"
echo "XDG_CONFIG_HOME: the settings file there is read"
