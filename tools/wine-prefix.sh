#!/usr/bin/env bash
# Makes the Wine prefix named by $1 once; later calls find it and return at once.
# wineboot's output goes to <prefix>.wineboot.log; when a step fails, the step, its exit code and
# that output are printed.
set -uo pipefail
mkdir -p "$(dirname "$1")" || exit 1
# Wine takes only an absolute prefix path.
prefix=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
export WINEPREFIX=$prefix WINEDEBUG=-all
# No add-on installer may wait on a dialog, and no desktop entry reaches the host.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
wineserver=/usr/lib/wine/wineserver
if [ -f "$prefix/system.reg" ] && [ -d "$prefix/drive_c/windows/system32" ]; then
  exit 0
fi
log=$prefix.wineboot.log

fail() {
  echo "wine-prefix: $* ($prefix)" >&2
  if [ -s "$log" ]; then
    echo "wine-prefix: output of wineboot and wineserver ($log):" >&2
    sed 's/^/  /' "$log" >&2
  fi
  exit 1
}

# A server still running for an incomplete prefix (an interrupted creation) would keep serving
# the old registry: it is ended first.
if [ -d "$prefix" ]; then
  "$wineserver" -k >/dev/null 2>&1
fi
rm -rf "$prefix" || fail "could not remove the incomplete prefix"
mkdir -p "$prefix" || fail "could not create the folder"
: >"$log" || fail "could not write $log"

# The creation gets a server of its own, ended explicitly once wineboot has returned: ending it
# writes the registry to system.reg and user.reg and leaves no process of the prefix behind.
"$wineserver" -p >>"$log" 2>&1 || fail "wineserver -p ended with code $?"
env -u DISPLAY -u WAYLAND_DISPLAY /usr/lib/wine/wine64 wineboot -i >>"$log" 2>&1
status=$?
"$wineserver" -k >>"$log" 2>&1
stopped=$?
[ "$status" -eq 0 ] || fail "wineboot -i ended with code $status"
[ "$stopped" -eq 0 ] || fail "the prefix's server was no longer running after wineboot (wineserver -k: code $stopped)"
[ -d "$prefix/drive_c/windows/system32" ] || fail "wineboot -i made no drive_c/windows/system32"
[ -f "$prefix/system.reg" ] || fail "wineboot -i left no system.reg"
echo "wine-prefix: created $prefix"
