#!/usr/bin/env bash
# Runs a VBScript test under Wine's cscript with COM servers registered around it:
#   cscript-test.sh <script.vbs> <server.dll>...
# The servers are registered with Wine's regsvr32 first and unregistered afterwards, whatever the
# script's outcome; the script's exit code (WScript.Quit) is the test's result.
set -uo pipefail
wine=${WINE:-/usr/lib/wine/wine64}
script=$1
shift

winpath() { printf 'Z:%s' "${1//\//\\}"; }

unregister() {
  for dll in "$@"; do "$wine" regsvr32 /s /u "$(winpath "$dll")"; done
}

for dll in "$@"; do
  if ! "$wine" regsvr32 /s "$(winpath "$dll")"; then
    echo "cscript-test: regsvr32 failed for $dll" >&2
    unregister "$@"
    exit 1
  fi
done

"$wine" cscript //nologo "$(winpath "$script")"
status=$?
unregister "$@"
if [ "$status" -ne 0 ]; then
  echo "cscript-test: $(basename "$script") ended with code $status" >&2
fi
exit "$status"
