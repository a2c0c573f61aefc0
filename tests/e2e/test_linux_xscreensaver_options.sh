#!/usr/bin/env bash
# The XScreenSaver description is well-formed XML, and every option its
# settings dialog can hand the program is one the program takes.
source "$(dirname "$0")/linux_lib.sh"
linux_fresh_user
unset DISPLAY
xml=$ORVANEL_SOURCE_DIR/resources/xscreensaver/orvanel.xml
xmllint --noout "$xml" || fail "the XScreenSaver description is not well-formed"

# Every switch and choice as the dialog passes it, and every field with a value in it.
mapfile -t fixed < <(xmllint --xpath '//@arg-set | //@arg-unset' "$xml" | sed -E 's/^ *arg-(un)?set="(.*)"$/\2/')
mapfile -t numbers < <(xmllint --xpath '//number' "$xml" | grep -oE 'arg="[^"]*"|low="[^"]*"|high="[^"]*"' | tr '\n' ' ' |
  sed -E 's/arg="([^"]*)" low="([^"]*)" high="([^"]*)" ?/\1|\2|\3\n/g' | sed '/^$/d')
mapfile -t strings < <(xmllint --xpath '//string/@arg' "$xml" | sed -E 's/^ *arg="(.*)"$/\1/')
runs=("${fixed[@]}")
for number in "${numbers[@]}"; do
  IFS='|' read -r arg low high <<<"$number"
  runs+=("${arg/\%/$low}" "${arg/\%/$high}")
done
[ ${#fixed[@]} -ge 10 ] && [ ${#numbers[@]} -ge 1 ] && [ ${#strings[@]} -ge 2 ] || fail "the XML offers fewer options than expected"

for arg in "${runs[@]}"; do
  # shellcheck disable=SC2086 # an option and its value, as XScreenSaver splits them
  "$program" --headless --size 320x200 --seconds 0.2 --out "$work/out" $arg >/dev/null 2>"$work/err" \
    || fail "orvanel refused \"$arg\": $(cat "$work/err")"
done
# A text as a user would type it into each field.
sample_text() {
  case "$1" in
    --place) echo '-33.87,151.21' ;;
    *) echo 'Good night\nsleep well' ;;
  esac
}
for arg in "${strings[@]}"; do
  "$program" --headless --size 320x200 --seconds 0.2 --out "$work/out" "${arg% %}" "$(sample_text "${arg% %}")" >/dev/null 2>"$work/err" \
    || fail "orvanel refused \"${arg% %}\": $(cat "$work/err")"
done
echo "$(( ${#runs[@]} + ${#strings[@]} )) options from the XML accepted"
"$program" --headless --out "$work/out" --moon huge >/dev/null 2>&1 && fail "a bad value was accepted"
[ $? -eq 2 ] || fail "a bad value did not exit with 2"
echo "a bad value exits with 2"
