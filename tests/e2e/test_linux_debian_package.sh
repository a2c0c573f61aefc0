#!/usr/bin/env bash
# The Debian package of the release build: lintian finds no error, it
# installs with dpkg, the installed program answers --help and renders
# headless from where XScreenSaver looks for it, and dpkg -r removes every
# file it brought. The package is removed again however the check ends.
source "$(dirname "$0")/linux_lib.sh"
linux_fresh_user
unset DISPLAY
release=${ORVANEL_RELEASE_BUILD_DIR:-$ORVANEL_SOURCE_DIR/build/native-release}
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

deb=$("$ORVANEL_SOURCE_DIR/packaging/debian/build_deb.sh" "$release" "$work/packages") || fail "the package was not built"
lintian --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 || true
! grep -q '^E:' "$work/lintian" || fail "lintian reports errors: $(grep '^E:' "$work/lintian")"
echo "lintian: $(grep -c '^[EW]:' "$work/lintian") errors and warnings"

dpkg-query -W orvanel >/dev/null 2>&1 && fail "orvanel is already installed here: the check would remove it"
trap '"${sudo_cmd[@]}" dpkg -r orvanel >/dev/null 2>&1 || true; linux_cleanup' EXIT
"${sudo_cmd[@]}" dpkg -i "$deb" >"$work/dpkg" 2>&1 || fail "dpkg -i failed: $(cat "$work/dpkg")"
installed=/usr/libexec/xscreensaver/orvanel
mapfile -t files < <(dpkg -L orvanel | while read -r f; do [ -f "$f" ] && echo "$f"; done)
for expected in "$installed" /usr/share/xscreensaver/config/orvanel.xml /usr/share/applications/orvanel.desktop \
                /usr/share/man/man6/orvanel.6.gz /usr/share/doc/orvanel/copyright \
                /usr/share/doc/orvanel/third_party_notices.txt.gz /usr/share/orvanel/Orvanel.{DE,EL,EN,ES,FR,IT}.txt; do
  [ -f "$expected" ] || fail "the package did not install $expected"
done
cmp -s <(zcat /usr/share/doc/orvanel/third_party_notices.txt.gz) "$ORVANEL_SOURCE_DIR/packaging/third_party_notices.txt" ||
  fail "the installed third-party notices are not packaging/third_party_notices.txt"
"$installed" --help | grep -q -- '--headless' || fail "the installed program does not answer --help"
"$installed" --headless --size 320x200 --seconds 1 --out "$work/frames" >/dev/null || fail "the installed program's headless run failed"
[ -n "$(ls "$work/frames")" ] || fail "the installed program wrote no frames"
# On a German system the installed program speaks German from its share folder.
LANG=de_DE.UTF-8 "$installed" --headless --size 320x200 --seconds 1 --out "$work/german" >/dev/null ||
  fail "the installed program's German run failed"
german_log=$(tr -d '\r' < "$TMPDIR/Orvanel.keslLog.txt")
grep -q 'loading translations from file:.*share/orvanel/Orvanel\.DE\.txt' <<<"$german_log" &&
  grep -Eq '[^0-9][1-9][0-9]{2} translations loaded' <<<"$german_log" ||
  fail "the installed program did not load German: $(grep -i translation <<<"$german_log" | head -3)"
echo "installed: ${#files[@]} files, --help and a headless run work, in German too"

"${sudo_cmd[@]}" dpkg -r orvanel >/dev/null 2>&1 || fail "dpkg -r failed"
for f in "${files[@]}"; do [ ! -e "$f" ] || fail "dpkg -r left $f"; done
echo "removed cleanly"
