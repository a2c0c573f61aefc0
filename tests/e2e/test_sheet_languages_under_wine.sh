#!/usr/bin/env bash
# The configuration sheet in each shipped language: one Wine run per language
# opens every page and reads every control's text. In a language other than
# English no text may be its English original, except the few words spelled
# the same (listed below with their reasons), and every text must fit its
# control at 100 % and at 150 % scaling. Greek runs on a German Wine, so a
# text that passed through the system's code page would come out as "?".
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
orvanel_keep_wine_settings
scr=$(orvanel_scr)
locale -a 2>/dev/null | grep -qix 'de_DE.utf8' || fail "the de_DE.UTF-8 locale is missing (scripts/setup.sh makes it)"
out=$(orvanel_artifacts_dir)/languages
mkdir -p "$out"

# Texts that are rightly the same as the English, by language: "LANG|TEXT".
# Numbers and the product's own name need no entry.
same_spelling=(
  "DE|OK"            # the German sheet's button says OK too
  "FR|OK"
  "IT|OK"
  "FR|Messages"      # French writes the page title the same
  "FR|Message :"
  "IT|Email"         # Italian uses the English word
  "ES|Email"
)

pages=(); for page in 0 1 2 3 4 5 6 7 8 9 10; do pages+=(page "$page" sleep 50 current texts fits); done

# Prints "PAGE ID TEXT" for each control, and any "toowide" line, into $out/LANG.txt.
read_sheet() {  # LANG LOCALE
  local pid
  printf 'interfaceLang=%s\r\n' "$1" > "$ini"
  LANG=$2 wine "$scr" /c &
  pid=$!
  orvanel_helper sheet sleep 300 buttons "${pages[@]}" cancel > "$out/$1.raw" \
    || { orvanel_stop "$pid"; fail "$1: the sheet could not be read: $(tail -2 "$out/$1.raw")"; }
  orvanel_wait_exit "$pid" 15
  awk '/^current /{page=$2; next} /^text /{id=$2; $1=""; $2=""; sub(/^  /, ""); print (page == "" ? "sheet" : page), id, $0; next}
       /^toowide /{print}' "$out/$1.raw" > "$out/$1.txt"
  grep -q '^fitted 144 [1-9]' "$out/$1.raw" || fail "$1: no control was measured"
  [ "$(grep -c '^sheet ' "$out/$1.txt")" = 2 ] || fail "$1: the sheet's OK and Cancel were not read"
}

for language in EN DE ES FR IT; do read_sheet "$language" C.UTF-8; done
wineserver -k 2>/dev/null || true
wineserver -w
read_sheet EL de_DE.UTF-8
wineserver -k 2>/dev/null || true
wineserver -w

problems=""
for language in DE EL ES FR IT; do
  [ "$(grep -vc '^toowide' "$out/$language.txt")" = "$(grep -vc '^toowide' "$out/EN.txt")" ] ||
    problems+="$language: not every control's text was read; "
  wide=$(grep '^toowide' "$out/$language.txt" || true)
  [ -z "$wide" ] || problems+="$language: texts wider than their controls: $(tr '\n' ';' <<<"$wide") "
  # A line equal to the English line of the same control is an untranslated text.
  while read -r page id text; do
    [[ "$text" =~ ^[0-9[:space:][:punct:]]*$ ]] && continue
    [[ "$text" == Orvanel* && "$id" != 1025 ]] && continue
    printf '%s\n' "${same_spelling[@]}" | grep -qxF "$language|$text" && continue
    problems+="$language: page $page control $id is still English: '$text'; "
  done < <(grep -v '^toowide' "$out/$language.txt" | grep -xFf <(grep -v '^toowide' "$out/EN.txt"))
  grep -q '??' <(grep -v '^toowide' "$out/$language.txt" | cut -d' ' -f3- | grep -v '^Orvanel') \
    && problems+="$language: a text holds '??', as after a trip through a code page; "
done
grep -qP '[\x{0391}-\x{03C9}]{3}' "$out/EL.txt" || problems+="EL: the pages show no Greek; "
[ -z "$problems" ] || fail "$(head -c 4000 <<<"$problems")"
echo "the sheet speaks each of DE EL ES FR IT on every page, and every text fits at 100 % and 150 %; texts in $out"
