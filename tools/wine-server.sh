#!/usr/bin/env bash
# Keeps one Wine server running for a prefix across many programs:
#   wine-server.sh start <prefix>              makes the prefix if missing, ends a server left
#                                              running in it, starts a persistent server and boots
#                                              the prefix's system processes
#   wine-server.sh stop <prefix>               ends the server and every process of the prefix;
#                                              the registry is written to the prefix's .reg files
#   wine-server.sh run <prefix> <command>...   start, the command, stop; returns the command's code
# Wine's server otherwise exits a few seconds after its last program ends, and a program that
# connects just then dies at start with "recvmsg: Connection reset by peer". A persistent server
# never exits by itself, so whoever starts one ends it; `wineserver -w` would wait for it forever.
# The server and the system processes write to <prefix>.log, never to the caller's output: they
# outlive the step that starts them, and a test runner waits until the step's output is closed.
set -uo pipefail

usage() {
  echo "usage: wine-server.sh start|stop <prefix> | run <prefix> <command>..." >&2
  exit 2
}
[ $# -ge 2 ] || usage
action=$1
mkdir -p "$(dirname "$2")"
prefix=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
shift 2
export WINEPREFIX=$prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
wineserver=/usr/lib/wine/wineserver
log=$prefix.log
tools=$(cd "$(dirname "$0")" && pwd)

say() { echo "wine-server: $*" >&2; }

show_log() {
  if [ -s "$log" ]; then
    say "output of the server and of the system processes ($log):"
    sed 's/^/  /' "$log" >&2
  fi
}

start() {
  "$tools/wine-prefix.sh" "$prefix" || return 1
  if "$wineserver" -k 2>/dev/null; then
    say "ended a server left running in $prefix"
  fi
  : >"$log" || {
    say "cannot write $log"
    return 1
  }
  local status=0
  "$wineserver" -p >>"$log" 2>&1 || status=$?
  if [ "$status" -eq 2 ]; then
    say "another Wine server started in $prefix meanwhile"
    return 1
  elif [ "$status" -ne 0 ]; then
    say "wineserver -p ended with code $status"
    show_log
    return 1
  fi
  # Started here, the system processes (services, devices, RPC) write into the log; started by the
  # first program, they would hold that program's output open until the server ends.
  env -u DISPLAY -u WAYLAND_DISPLAY /usr/lib/wine/wine64 wineboot >>"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    say "wineboot ended with code $status"
    show_log
    "$wineserver" -k 2>/dev/null
    return 1
  fi
}

# wineserver -k returns once the server has ended, after writing the registry to the .reg files.
stop() {
  if ! "$wineserver" -k; then
    say "no Wine server was running in $prefix: it ended before being stopped"
    show_log
    return 1
  fi
}

case $action in
  start)
    [ $# -eq 0 ] || usage
    start
    ;;
  stop)
    [ $# -eq 0 ] || usage
    stop
    ;;
  run)
    [ $# -ge 1 ] || usage
    start || exit 1
    # A signal ends the command's processes through the server, and the server itself.
    trap 'stop; exit 129' HUP
    trap 'stop; exit 130' INT
    trap 'stop; exit 143' TERM
    "$@" &
    wait $!
    status=$?
    trap - HUP INT TERM
    stop || [ "$status" -ne 0 ] || status=1
    exit "$status"
    ;;
  *) usage ;;
esac
