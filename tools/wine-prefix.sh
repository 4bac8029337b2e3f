#!/usr/bin/env bash
# Makes the Wine prefix named by $1 once; later calls find it and return at once.
set -euo pipefail
prefix=$1
export WINEPREFIX=$prefix WINEDEBUG=-all
# No add-on installer may wait on a dialog, and no desktop entry reaches the host.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
if [ -f "$prefix/system.reg" ] && [ -d "$prefix/drive_c/windows/system32" ]; then
  exit 0
fi
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
env -u DISPLAY -u WAYLAND_DISPLAY /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
/usr/lib/wine/wineserver -w
[ -d "$prefix/drive_c/windows/system32" ] || { echo "wine-prefix: could not create $prefix" >&2; exit 1; }
echo "wine-prefix: created $prefix"
