#!/usr/bin/env bash
# Runs the installer on the demo patch and installation of demo/, in a Wine prefix of its own:
#   tools/demo.sh [--failing]
# With a display (DISPLAY set) the installer opens there and the user answers its questions;
# without one it runs under Xvfb, driven by DemoAutista, which answers the start-up messages,
# runs the update, saves a picture of the main window, prints the window's texts and closes it.
# Either way the installer's log is printed at the end. With --failing an installed file of the
# Retribuzioni area is marked hidden, so the run fails there, puts back what it had copied and
# opens the log viewer.
set -euo pipefail
cd "$(dirname "$0")/.."

die() {
  echo "demo: $*" >&2
  exit 1
}

failing=false
case "${1:-}" in
  "") ;;
  --failing) failing=true ;;
  *) die "usage: tools/demo.sh [--failing]" ;;
esac

build=build/win64
bin=$build/bin
prefix=$PWD/$build/demo-prefix
wine=/usr/lib/wine/wine64

needed=(cmake ninja x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres "$wine" /usr/lib/wine/wineserver)
[ -n "${DISPLAY:-}" ] || needed+=(xvfb-run xauth)
for tool in "${needed[@]}"; do
  if ! command -v "$tool" >/dev/null; then
    tools/setup.sh
    break
  fi
done

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target SetupTalvo DemoAutista Vortan Selvan Cifrel ||
  die "could not build SetupTalvo, DemoAutista and the servers"
[ -f "$bin/SetupTalvo.exe" ] || die "$bin/SetupTalvo.exe was not built"
# The suite's own servers go into the patch's DLL folder: the start-up installs and registers them.
servers=("$build/translators/Vortan.dll" "$build/translators/Selvan.dll" "$build/crypt/Cifrel.dll")

programma=$(tools/demo-layout.sh "$prefix" "$bin/SetupTalvo.exe" "${servers[@]}" | tail -n 1)
log=$(sed -n 's/^nomefile=\(.*\)\r$/\1/p' demo/PatchDemo/SetupPBD.ini)
if $failing; then
  # A hidden installed file passes the checks before the run but cannot be copied over.
  WINEPREFIX=$prefix WINEDEBUG=-all tools/wine-server.sh run "$prefix" "$wine" attrib +h \
    'C:\TALVO\APP\RET\PRG\tabelle.txt' >/dev/null
fi

export WINEPREFIX=$prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
# The installer takes the patch's payload folders relative to its current folder.
patch_folder=$prefix/drive_c/PatchDemo

# The run has a Wine server of its own, ended when the program (or the driver) returns.
wine_server=$PWD/tools/wine-server.sh

status=0
if [ -n "${DISPLAY:-}" ]; then
  echo "demo: starting $programma on $DISPLAY"
  (cd "$patch_folder" && "$wine_server" run "$prefix" "$wine" "$programma") || status=$?
else
  [ -f "$bin/DemoAutista.exe" ] || die "$bin/DemoAutista.exe was not built"
  mkdir -p "$build/demo"
  png=$PWD/$build/demo/SetupPBD.png
  rm -f "$png"
  driver=$PWD/$bin/DemoAutista.exe
  # The prefix's processes end inside the Xvfb session, so none of them loses its display.
  # Xvfb runs no window manager: Wine then draws the windows' title bars itself.
  # shellcheck disable=SC2016 # the inner shell expands its own arguments
  (cd "$patch_folder" &&
    timeout -k 10 300 xvfb-run -a -s "-screen 0 1280x1024x24" "$wine_server" run "$prefix" \
      bash -c '"$1" reg add "HKCU\Software\Wine\X11 Driver" /v Decorated /d N /f >/dev/null && "$1" "$2" "$3" "$4"' \
      bash "$wine" "$driver" "$programma" "Z:${png//\//\\}") || status=$?
  if [ "$status" -ne 0 ]; then
    /usr/lib/wine/wineserver -k 2>/dev/null || true
  fi
  if [ -f "$png" ]; then
    echo "demo: main window picture: ${png#"$PWD"/}"
  else
    echo "demo: no picture of the main window was saved" >&2
  fi
fi

log_file=$(find "$prefix/drive_c" -maxdepth 1 -type f -iname "$log" | head -n 1)
if [ -n "$log_file" ]; then
  echo "demo: installer log C:\\$log"
  iconv -f CP1252 -t UTF-8 "$log_file" | tr -d '\r'
else
  echo "demo: the installer wrote no log C:\\$log" >&2
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
