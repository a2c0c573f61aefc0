#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, test and run Orvanel.
# Idempotent and non-interactive: a second run only checks.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev googletest libbenchmark-dev
  libfreetype-dev libfontconfig-dev libpng-dev libx11-dev libxext-dev libxss-dev libxrandr-dev libxinerama-dev libcurl4-openssl-dev libpulse-dev
  fonts-liberation fonts-comic-neue
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
  xvfb xdotool x11-utils x11-xserver-utils imagemagick libxml2-utils
  nsis p7zip-full lintian dpkg-dev fakeroot
  xscreensaver-data xscreensaver-data-extra
  clang libclang-rt-14-dev
  python3 python3-ephem python3-numpy python3-pil tzdata faketime webp unicode-cldr-core
  pulseaudio pulseaudio-utils
  libwayland-dev libwayland-bin wayland-protocols sway grim wtype weston swayidle
  tesseract-ocr tesseract-ocr-deu
)

# The Wayland checks run their compositor and the program as this ordinary
# user: sway refuses to start as root, and CI runs as root.
wayland_test_user=orvanel-test

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  need_update=1
fi

if ! id "$wayland_test_user" >/dev/null 2>&1; then
  "${sudo_cmd[@]}" useradd --system --create-home --shell /usr/sbin/nologin "$wayland_test_user"
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# npm fetches the star catalogue's input; any npm on the PATH will do.
if ! command -v npm >/dev/null 2>&1; then missing+=(npm); fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A German locale, so Wine can be run as on a German system: Wine takes the
# interface language from LANG only where the host knows that locale.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

# The star catalogue generator's input, once, into the user's cache; without
# the registry it warns and the catalogue's check skips.
/usr/bin/python3 "$(dirname "$0")/../tools/star_catalogue/make_star_catalogue.py" --fetch ||
  echo "setup: the star catalogue's input was not fetched; its check will skip" >&2
