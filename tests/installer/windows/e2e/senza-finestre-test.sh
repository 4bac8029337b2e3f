#!/usr/bin/env bash
# SetupTalvo run as deployment tools run it, on the demo patch laid out afresh for each case, with
# the exit code read in full by EseguiSetup.exe (which also lists every window the run showed):
#   senza-finestre-test.sh <prefix> <SetupTalvo.exe> <EseguiSetup.exe> <server.dll>...
# The demo is laid out once more at the end, as the other tests of the prefix expect it. It runs
# under one virtual screen for all its cases (the test starts it with xvfb-run), so that a window that
# should show always can.
set -euo pipefail
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: run it under xvfb-run" >&2; exit 1; }
root=$(cd "$(dirname "$0")/../../../.." && pwd)
prefix=$1 setup=$2 esegui=$3
servers=("${@:4}")
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
c=$prefix/drive_c
work=$(mktemp -d)
failures=0

layout() { "$root/tools/demo-layout.sh" "$prefix" "$setup" "${servers[@]}" >/dev/null; }
trap 'layout; rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# run <EseguiSetup arguments...>: sets $codice and $finestre; the program's output is in $work/out.
run() {
  "$root/tools/wine-server.sh" start "$prefix" 2>"$work/server"
  /usr/lib/wine/wine64 "$esegui" "$@" >"$work/out" 2>"$work/err" || true
  "$root/tools/wine-server.sh" stop "$prefix" 2>>"$work/server"
  local esito
  esito=$(grep '^ESITO ' "$work/err" | tail -1 | tr -d '\r')
  codice=$(sed -E 's/.*codice=([0-9]+).*/\1/' <<<"$esito")
  finestre=$(sed -E 's/.*finestre=([0-9]+).*/\1/' <<<"$esito")
  echo "  $* -> ${esito:-no result}"
  [ -n "$esito" ] || { sed 's/^/    /' "$work/err" >&2; codice=none finestre=none; }
}

expect() { # expect <what> <actual> <expected>
  [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"
}

snapshot() { (cd "$c" && find "$@" -type f -print0 | sort -z | xargs -0 sha1sum); }
log_text() { iconv -f CP1252 -t UTF-8 "$c/SetupTalvoDemo.log"; }
patch='C:\PatchDemo\SetupTalvo.exe'
# The release marker, wherever the letter case of the folder put it.
marker() { find "$c/TALVO" -maxdepth 2 -iname vtrcntrl.ini -exec cat {} + 2>/dev/null; }

echo "quiet run on the demo: restart code, no window, the run's work done, boxes in the log"
layout
run "$patch" /quiet
expect "exit code" "$codice" 3010
expect "windows" "$finestre" 0
expect "release marker" "$(marker)" $'2013/2\r'
grep -q 'Funzione: Modalità silenziosa Descrizione: Aggiornamento terminato' <(log_text) ||
  fail "the summary box is not in the log as a quiet-mode line"
grep -q 'Modalità silenziosa .* AVVISO' <(log_text) || fail "no AVVISO line of the quiet mode"

echo "incompatible release: not applicable, the installation untouched"
layout
printf '[Application]\r\nAppVer=2011/1\r\n' >"$c/TALVO/SYS/System.ini"
before=$(snapshot TALVO)
run "$patch" /quiet
expect "exit code" "$codice" 1642
expect "windows" "$finestre" 0
[ "$before" = "$(snapshot TALVO)" ] || fail "the installation changed"

echo "a second instance while the first waits on its release warning"
layout
run --mentre "$patch" -- "$patch" /quiet
expect "exit code" "$codice" 1618
expect "windows" "$finestre" 0
grep -q 'Modalità silenziosa Descrizione: SetupTalvo è già in esecuzione AVVISO' <(log_text) ||
  fail "the refusal is not in the log"

echo "help and an unknown switch"
run "$patch" /quiet /?
expect "exit code" "$codice" 0
expect "windows" "$finestre" 0
grep -q '^  1642 ' "$work/out" || fail "the help on standard output lists no exit code 1642"
run "$patch" /quiet /sconosciuta
expect "exit code" "$codice" 1639
grep -q 'Opzione non riconosciuta: /sconosciuta' "$work/out" || fail "the unknown switch is not named"

echo "passive run: windows shown, nobody answers, restart code"
layout
run "$patch" /passive
expect "exit code" "$codice" 3010
[ "$finestre" != none ] && [ "$finestre" -ge 1 ] || fail "the passive run showed no window"
expect "release marker" "$(marker)" $'2013/2\r'

echo "a destination held by another program: refused before any change"
layout
before=$(snapshot TALVO)
run --bloccando 'C:\TALVO\APP\ALU\PRG\BIN\a_alu.exe' "$patch" /quiet
expect "exit code" "$codice" 1642
expect "windows" "$finestre" 0
[ "$before" = "$(snapshot TALVO)" ] || fail "the installation changed"
grep -q 'a_alu.exe' <(log_text) || fail "the held file is not named in the log"

echo "dry run: nothing changes, every file is listed"
layout
before=$(snapshot TALVO OpenTalvo PatchDemo windows/system32)
run "$patch" /check
expect "exit code" "$codice" 0
expect "windows" "$finestre" 0
[ "$before" = "$(snapshot TALVO OpenTalvo PatchDemo windows/system32)" ] || fail "the dry run changed files"
grep -q 'a_alu.exe' "$work/out" || fail "the report does not list a_alu.exe"
grep -q '^Esito: aggiornamento applicabile' "$work/out" || fail "the report does not say the update applies"
grep -q '^Release da registrare: 2013/2' "$work/out" || fail "the report does not name the release"

echo "a quiet run killed after its third copy: the next start puts the files back, then updates"
layout
TALVO_PUNTO_CRASH=copia:3 run "$patch" /quiet
expect "exit code of the killed run" "$codice" 86
[ -f "$c/SetupTalvo.journal" ] || fail "the killed run left no journal"
run "$patch" /check
expect "exit code of a dry run over the journal" "$codice" 1603
[ -f "$c/SetupTalvo.journal" ] || fail "the dry run played the journal back"
run "$patch" /quiet
expect "exit code after the playback" "$codice" 3010
[ ! -f "$c/SetupTalvo.journal" ] || fail "the journal is still there"
grep -q 'Ripristino Giornale' <(log_text) || fail "the playback is not in the log"
cmp -s "$root/demo/TALVO/APP/ALU/PRG/BIN/a_alu.exe" "$c/TALVO/APP/ALU/PRG/BIN/a_alu.exe.old" ||
  fail "the installed file is not the backup of the complete run"

# A hidden installed file passes the checks before the run but cannot be copied over: the run
# fails in the Retribuzioni area.
break_a_list() {
  "$root/tools/wine-server.sh" run "$prefix" /usr/lib/wine/wine64 attrib +h 'C:\TALVO\APP\RET\PRG\tabelle.txt' \
    >/dev/null 2>>"$work/server"
}

echo "a failing run, quiet: put back, failure code, still no window"
layout
break_a_list
run "$patch" /quiet
expect "exit code" "$codice" 1603
expect "windows" "$finestre" 0
cmp -s "$root/demo/TALVO/APP/ALU/PRG/BIN/a_alu.exe" "$c/TALVO/APP/ALU/PRG/BIN/a_alu.exe" ||
  fail "a file of the first area was not put back"

echo "a failing run, passive: the log viewer shows and closes by itself"
layout
break_a_list
run "$patch" /passive
expect "exit code" "$codice" 1603
grep -q '"LogFile"' "$work/err" || fail "no log viewer among the windows"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
