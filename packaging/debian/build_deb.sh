#!/usr/bin/env bash
# Builds orvanel_<version>_<arch>.deb from the release build: the program
# where XScreenSaver looks for hacks, its settings-dialog description, a menu
# entry that opens the sky in a window, the manual page, the copyright and
# the third-party notices the Windows installer ships too, and the language
# files, which the program finds in the share folder of its prefix. Dependencies come
# from dpkg-shlibdeps.
#   build_deb.sh [RELEASE_BUILD_DIR [OUT_DIR]]   prints the package's path
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build/native-release}
out=${2:-$root/build/packages}
version=$(sed -n 's/^project(Orvanel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
arch=$(dpkg --print-architecture)
[ -x "$build/orvanel" ] || { echo "no program at $build/orvanel: build the native-release preset first" >&2; exit 1; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
pkg=$stage/orvanel
substitute() { sed -e "s/@VERSION@/$version/g" "$1"; }

install -d "$pkg/DEBIAN" "$pkg/usr/libexec/xscreensaver" "$pkg/usr/share/xscreensaver/config" \
  "$pkg/usr/share/applications" "$pkg/usr/share/man/man6" "$pkg/usr/share/doc/orvanel" \
  "$pkg/usr/share/icons/hicolor/48x48/apps" "$pkg/usr/share/orvanel"
install -m 755 "$build/orvanel" "$pkg/usr/libexec/xscreensaver/orvanel"
strip --strip-unneeded --remove-section=.comment --remove-section=.note "$pkg/usr/libexec/xscreensaver/orvanel"
install -m 644 "$root/resources/xscreensaver/orvanel.xml" "$pkg/usr/share/xscreensaver/config/"
install -m 644 "$here/orvanel.desktop" "$pkg/usr/share/applications/"
install -m 644 "$root"/resources/lang/Orvanel.*.txt "$pkg/usr/share/orvanel/"
substitute "$here/orvanel.6" | gzip -9n > "$pkg/usr/share/man/man6/orvanel.6.gz"
substitute "$here/changelog" | gzip -9n > "$pkg/usr/share/doc/orvanel/changelog.gz"
install -m 644 "$here/copyright" "$pkg/usr/share/doc/orvanel/"
gzip -9n < "$root/packaging/third_party_notices.txt" > "$pkg/usr/share/doc/orvanel/third_party_notices.txt.gz"
# The menu's icon: the small moon, its key green made transparent.
convert "$root/resources/bitmaps/118-moon-50.bmp" -transparent 'rgb(29,255,82)' -resize 48x48 \
  -strip "PNG32:$pkg/usr/share/icons/hicolor/48x48/apps/orvanel.png"
chmod 644 "$pkg/usr/share/man/man6/orvanel.6.gz" "$pkg/usr/share/doc/orvanel/changelog.gz" \
  "$pkg/usr/share/icons/hicolor/48x48/apps/orvanel.png" "$pkg/usr/share/doc/orvanel/third_party_notices.txt.gz"

# dpkg-shlibdeps wants a source package's control file to read.
mkdir -p "$stage/debian"
printf 'Source: orvanel\n\nPackage: orvanel\nArchitecture: any\n' > "$stage/debian/control"
shlibs=$(cd "$stage" && dpkg-shlibdeps -O "$pkg/usr/libexec/xscreensaver/orvanel" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
size=$(du -sk --exclude=DEBIAN "$pkg" | cut -f1)
substitute "$here/control.in" | sed -e "s/@ARCH@/$arch/" -e "s/@SIZE@/$size/" -e "s/@SHLIBS@/$shlibs/" > "$pkg/DEBIAN/control"
(cd "$pkg" && find usr -type f -exec md5sum {} + | sort -k2) > "$pkg/DEBIAN/md5sums"
chmod 644 "$pkg/DEBIAN/control" "$pkg/DEBIAN/md5sums"

mkdir -p "$out"
deb=$out/orvanel_${version}_${arch}.deb
fakeroot dpkg-deb --build -Zxz "$pkg" "$deb" >/dev/null
echo "$deb"
