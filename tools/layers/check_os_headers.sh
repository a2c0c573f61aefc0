#!/usr/bin/env bash
# The portable code never includes an operating-system or windowing header:
# only the backend folders and the hosts do (Wayland and its generated
# protocol headers only in the Wayland host). (Includes that point up a floor
# already fail to compile; this guards the other half of the layering.)
set -euo pipefail
src="$(cd "$(dirname "$0")/../.." && pwd)/src"
allowed='^src/(platform/gdi|platform/raster|system/win32|system/posix|settings/win32|net/win32|net/posix|app/win32|app/linux|app/wayland)/'
os_headers='#include <(windows\.h|winhttp\.h|shlobj\.h|commctrl\.h|mmsystem\.h|iphlpapi\.h|X11/|ft2build\.h|fontconfig/|png\.h|pulse/|curl/|sys/|unistd\.h|fcntl\.h|signal\.h|pthread\.h|wayland-|[a-z0-9-]+-client-protocol\.h)'

found=$(cd "$src/.." && grep -rnE "$os_headers" src | grep -vE "$allowed" || true)
if [ -n "$found" ]; then
  echo "Operating-system headers outside the backend folders and hosts:" >&2
  echo "$found" >&2
  exit 1
fi
echo "portable folders include no operating-system header"
