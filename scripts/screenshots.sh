#!/usr/bin/env bash
# Remakes the pictures in docs/ from the project's own programs, the same
# every time: the settings in docs/screenshots/, a frozen clock (libfaketime;
# the clock also seeds the sky's random numbers, so one time gives one sky),
# and a virtual display of its own for the configuration sheet under Wine.
#
#   scripts/test.sh          # first: builds the programs, makes the Wine prefix
#   scripts/screenshots.sh   # then: rewrites the pictures in docs/
#
# Two runs give the same still pictures pixel for pixel. To change a picture,
# edit the settings or the constants below and run it again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
docs=$root/docs
settings=$docs/screenshots/settings.ini

# A waxing crescent evening: the moon shows its phase and its label.
readonly kNight="2026-03-22 21:30:00"
readonly kStillSize=1920x1080
# By 22 s the message has gathered and a quote is showing.
readonly kStillSeconds=22
# The Windows preview window of the display settings.
readonly kPreviewSize=152x112
readonly kPreviewSeconds=20
# The animation: the message gathering (2 s to 20.5 s) and dissolving (40 s to
# 50 s) when a blank message follows it, given as frame numbers (25 a
# second); one frame of every eight (0.32 s) is shown for 50 ms, so the sky
# runs six times as fast.
readonly kAnimationSize=960x540
readonly kAnimationSeconds=50
readonly kAnimationStep=8
readonly kAnimationGather="49 513"
readonly kAnimationDissolve="1001 1249"
readonly kAnimationFrameMs=50
readonly kAnimationHoldMs=1200
readonly kAnimationQuality=70
# The sheet's pages shown in the README: Moon, Messages, Digital clock, Sky;
# and the Moon page again in German, beside the English one.
readonly kSheetPages="0 1 7 10"
readonly kTranslatedSheetPages="0"
readonly kTranslatedSheetLanguage=DE
# The real sky: the same winter evening sky over Berlin and over Sydney, each at
# half past nine local time, a second in (before a message or quote appears).
readonly kBerlin="52.52,13.40 Europe/Berlin"
readonly kSydney="-33.87,151.21 Australia/Sydney"
readonly kRealSkyNight="2026-01-15 21:30:00"
readonly kRealSkySeconds=1
# Vienna on midsummer day at noon and in the evening's civil twilight, and a
# total eclipse over Anchorage, in their own local times.
readonly kVienna="48.21,16.37 Europe/Vienna"
readonly kViennaNoon="2027-06-21 14:00:00"
readonly kViennaDusk="2027-06-21 21:40:00"
readonly kAnchorage="61.2,-149.9 America/Anchorage"
readonly kTotalEclipse="2026-03-03 02:33:30"

scripts/setup.sh
# The sheet is photographed from the Windows module this host runs.
windows_preset=$(source tests/e2e/lib.sh && if [ "$ORVANEL_HOST_32BIT" = yes ]; then echo win32; else echo win64; fi)
for preset in native-release "$windows_preset"; do
  cmake --preset "$preset" >/dev/null
done
cmake --build --preset native-release -j "$(nproc)" --target orvanel
cmake --build --preset "$windows_preset" -j "$(nproc)" --target orvanel_scr orvanel_e2e_helper
program=$root/build/native-release/orvanel

work=$(mktemp -d)
cleanup_work() { rm -rf "$work"; }
trap cleanup_work EXIT

# One headless run as a user who never ran the program before, with the
# committed settings and the frozen clock: sky NAME SIZE SECONDS EVERY [OPTIONS].
sky() {
  local name=$1 size=$2 seconds=$3 every=$4
  shift 4
  local home=$work/$name/home
  mkdir -p "$home/.config/Orvanel software" "$work/$name/tmp"
  cp "$settings" "$home/.config/Orvanel software/Orvanel screensaver.ini"
  env -u XDG_CONFIG_HOME -u DISPLAY HOME="$home" TMPDIR="$work/$name/tmp" \
    TZ="${sky_zone:-UTC}" faketime -f "${sky_night:-$kNight}" "$program" --headless --size "$size" --seconds "$seconds" --every "$every" \
    --out "$work/$name/frames" --no-startup-effect --sound silence "$@" >/dev/null
}

# The frame shown at SECONDS into a run.
frame_at() { printf 'frame-%05d.png' $(( $1 * 25 + 1 )); }

# PNG without dates or tool names inside, so a remade picture is the same file.
save_png() { convert "$1" -strip -define png:compression-level=9 "PNG24:$2"; }

echo "== the sky at $kStillSize"
sky still "$kStillSize" $(( kStillSeconds + 1 )) $(( kStillSeconds * 25 ))
save_png "$work/still/frames/$(frame_at "$kStillSeconds")" "$docs/sky.png"

echo "== the preview at $kPreviewSize"
sky preview "$kPreviewSize" $(( kPreviewSeconds + 1 )) $(( kPreviewSeconds * 25 ))
save_png "$work/preview/frames/$(frame_at "$kPreviewSeconds")" "$docs/preview.png"

echo "== a message gathering and dissolving"
sky animation "$kAnimationSize" "$kAnimationSeconds" "$kAnimationStep" --moon small
frames=() durations=()
add_frames() {  # FIRST LAST
  local n
  for n in $(seq "$1" "$kAnimationStep" "$2"); do
    frames+=("$work/animation/frames/$(printf 'frame-%05d.png' "$n")")
  done
}
# shellcheck disable=SC2086
add_frames $kAnimationGather
gathered=${#frames[@]}
# shellcheck disable=SC2086
add_frames $kAnimationDissolve
args=(-loop 0 -lossy -q "$kAnimationQuality" -m 4)
for i in "${!frames[@]}"; do
  duration=$kAnimationFrameMs
  if [ "$i" = $(( gathered - 1 )) ] || [ "$i" = $(( ${#frames[@]} - 1 )) ]; then duration=$kAnimationHoldMs; fi
  args+=(-d "$duration" "${frames[$i]}")
done
img2webp "${args[@]}" -o "$docs/message.webp" >/dev/null 2>&1

echo "== the configuration sheet under Wine"
(
  export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
  unset DISPLAY
  source tests/e2e/lib.sh
  orvanel_prepare_wine
  orvanel_prepare_display
  orvanel_keep_wine_settings
  # 100 %: Wine's own scale when no value is set.
  wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
  wineserver -w
  photograph_sheet() {  # PAGES SUFFIX
    local page caption x y w h
    wine "$(orvanel_scr)" /c &
    sheet_pid=$!
    orvanel_helper sheet current >/dev/null || fail "the configuration sheet did not open"
    read -r x y w h < <(orvanel_helper sheet rect | sed -n 's/^rect //p')
    for page in $1; do
      orvanel_helper sheet page "$page" sleep 300 >/dev/null
      import -window root -crop "${w}x${h}+${x}+${y}" +repage "$work/sheet.png"
      # Without a window manager Wine draws the caption's close box as a bare
      # "r"; the pictures show the sheet from its tabs down.
      caption=$(convert "$work/sheet.png" -crop "1x40+$(( w / 2 ))+0" -depth 8 txt:- |
                awk -F'[ ,:]+' 'NR > 1 && match($0, /#[0-9A-Fa-f]+/) { colour[$2] = substr($0, RSTART, RLENGTH) }
                     END { for (y = 5; colour[y] == colour[5]; y++); print y }')
      convert "$work/sheet.png" -crop "${w}x$(( h - caption ))+0+$caption" +repage "$work/sheet-body.png"
      save_png "$work/sheet-body.png" "$docs/sheet-page-$page$2.png"
    done
    orvanel_helper sheet cancel >/dev/null || true
    orvanel_wait_exit "$sheet_pid" 15
    [ "$exit_code" != running ] || orvanel_stop "$sheet_pid"
  }
  cp "$settings" "$ini"
  photograph_sheet "$kSheetPages" ""
  cp "$settings" "$ini"
  printf 'interfaceLang=%s\r\n' "$kTranslatedSheetLanguage" >> "$ini"
  photograph_sheet "$kTranslatedSheetPages" "-${kTranslatedSheetLanguage,,}"
)

# Berlin and Sydney side by side: south from the north, north from the south.
echo "== the real sky over Berlin and Sydney"
for place in berlin sydney; do
  if [ "$place" = berlin ]; then read -r lat_lon sky_zone <<<"$kBerlin"; else read -r lat_lon sky_zone <<<"$kSydney"; fi
  sky_night=$kRealSkyNight sky "$place" 960x540 $(( kRealSkySeconds + 1 )) 25 --moon small \
    --real-sky --place "$lat_lon" --sky-names
  convert "$work/$place/frames/$(frame_at "$kRealSkySeconds")" -gravity southwest -fill '#DEB887' \
    -font Liberation-Sans -pointsize 22 -annotate +16+12 "${place^}" "$work/$place.png"
done
unset sky_zone
convert "$work/berlin.png" "$work/sydney.png" -background black -splice 8x0 +append -chop 8x0 "$work/real-sky.png"
save_png "$work/real-sky.png" "$docs/real-sky-berlin-sydney.png"

# The sky as light as it is: noon, dusk and the moon in the earth's shadow.
echo "== the real sky by day, at dusk and in an eclipse"
read -r lat_lon sky_zone <<<"$kVienna"
sky_night=$kViennaNoon sky noon 640x360 $(( kRealSkySeconds + 1 )) 25 --moon small --real-sky --place "$lat_lon"
sky_night=$kViennaDusk sky dusk 640x360 $(( kRealSkySeconds + 1 )) 25 --moon small --real-sky --place "$lat_lon"
read -r lat_lon sky_zone <<<"$kAnchorage"
sky_night=$kTotalEclipse sky eclipse 640x360 $(( kRealSkySeconds + 1 )) 25 --moon medium --real-sky --place "$lat_lon"
unset sky_zone
for moment in noon dusk eclipse; do
  cp "$work/$moment/frames/$(frame_at "$kRealSkySeconds")" "$work/$moment.png"
done
convert "$work/noon.png" "$work/dusk.png" "$work/eclipse.png" -background black -splice 6x0 +append -chop 6x0 \
  "$work/real-sky-light.png"
save_png "$work/real-sky-light.png" "$docs/real-sky-day-dusk-eclipse.png"

echo "pictures in docs/:"
( cd "$docs" && du -b sky.png preview.png message.webp sheet-page-*.png real-sky-berlin-sydney.png real-sky-day-dusk-eclipse.png 2>/dev/null ) | awk '{ total += $1; printf "  %-28s %7.0f KB\n", $2, $1 / 1024 } END { printf "  %-28s %7.0f KB\n", "together", total / 1024 }'
