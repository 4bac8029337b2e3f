#!/usr/bin/env bash
# Lays out the demo TALVO installation and patch in a Wine prefix, always from the same state:
#   tools/demo-layout.sh <wineprefix> [SetupTalvo.exe [server.dll...]]
# C:\TALVO\, C:\OpenTalvo\ and C:\PatchDemo\ are copied afresh from demo/ (the installer writes
# into the patch folder and updates the installation), the ODBC data source goes into the current
# user's registry, the ministerial markers, the previous log and what the start-up installed
# before (C:\talvocheck\, C:\Corvane\, C:\cktlvhdr.dat) are removed, the program given is copied
# into the patch folder and the servers given into its DLL folder, which the start-up copies into
# the system folder and registers. Prints the Windows path the installer is started from.
set -euo pipefail

die() {
  echo "demo-layout: $*" >&2
  exit 1
}

if [ $# -lt 1 ] || [ -z "$1" ]; then
  die "usage: tools/demo-layout.sh <wineprefix> [SetupTalvo.exe [server.dll...]]"
fi
root=$(cd "$(dirname "$0")/.." && pwd)
demo=$root/demo
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || die "$wine is missing (run tools/setup.sh)"
[ -f "$demo/PatchDemo/SetupPBD.ini" ] || die "$demo is incomplete: no PatchDemo/SetupPBD.ini"

mkdir -p "$(dirname "$1")"
prefix=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
program=${2:-}
if [ -n "$program" ]; then
  [ -f "$program" ] || die "no such program: $program"
fi
servers=("${@:3}")
for server in "${servers[@]}"; do
  [ -f "$server" ] || die "no such server: $server"
done

export WINEPREFIX=$prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
# The layout's Wine programs share one server of their own, ended at the end: that writes the
# registry to user.reg, and no process of the prefix outlives this script, holding a display it
# was not started for.
"$root/tools/wine-server.sh" start "$prefix" >&2 || die "could not start a Wine server for $prefix"
trap '"$root/tools/wine-server.sh" stop "$prefix" >&2' EXIT
drive_c=$prefix/drive_c
[ -d "$drive_c" ] || die "$prefix has no drive_c"

# A file in the root of C: whatever the letter case Wine or an earlier run gave it.
remove_from_c() {
  find "$drive_c" -maxdepth 1 -type f -iname "$1" -delete
}

# C:\pre1996 receives the archive database a run hands over; the component installation writes
# C:\talvocheck, C:\Corvane and C:\cktlvhdr.dat.
for folder in TALVO OpenTalvo PatchDemo pre1996 talvocheck Corvane; do
  find "$drive_c" -maxdepth 1 -iname "$folder" -exec rm -rf {} +
done
remove_from_c cktlvhdr.dat
for folder in TALVO OpenTalvo PatchDemo; do
  cp -R "$demo/$folder" "$drive_c/$folder"
  chmod -R u+rwX "$drive_c/$folder"
done

# Both markers present would make the installer refuse the installation as a ministerial one.
remove_from_c pers.ini
remove_from_c versione.ini
log=$(sed -n 's/^nomefile=\(.*\)\r$/\1/p' "$demo/PatchDemo/SetupPBD.ini")
[ -n "$log" ] || die "no FILELOG nomefile in demo/PatchDemo/SetupPBD.ini"
remove_from_c "$log"

reg=$demo/talvo.reg
quiet() { env -u DISPLAY -u WAYLAND_DISPLAY "$wine" "$@" >/dev/null 2>&1; }
quiet regedit /S "Z:${reg//\//\\}" || die "regedit could not import $reg"
quiet reg query 'HKCU\Software\ODBC\ODBC.INI\ODBC Data Sources' /v TALVO ||
  die "the ODBC data source TALVO is not in the registry after importing $reg"
quiet reg query 'HKCU\Software\ODBC\ODBC.INI\TALVO' /v DatabaseFile ||
  die "the value DatabaseFile of the data source TALVO is not in the registry after importing $reg"
trap - EXIT
"$root/tools/wine-server.sh" stop "$prefix" >&2 || die "the Wine server of $prefix did not end cleanly"
grep -qF '[Software\\ODBC\\ODBC.INI\\TALVO]' "$prefix/user.reg" ||
  die "the data source TALVO is not in $prefix/user.reg after the server ended"

if [ -n "$program" ]; then
  cp "$program" "$drive_c/PatchDemo/SetupTalvo.exe"
fi
mkdir -p "$drive_c/PatchDemo/DLL"
for server in "${servers[@]}"; do
  cp "$server" "$drive_c/PatchDemo/DLL/"
done
echo 'C:\PatchDemo\SetupTalvo.exe'
