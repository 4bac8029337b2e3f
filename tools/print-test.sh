#!/usr/bin/env bash
# Prints through Wine on a real printer: starts a CUPS server of its own (private socket, spool and
# logs in a temporary folder) with a cups-pdf printer "PDF", prints a short and a long log with
# StampaReale in the Wine prefix given, checks the PDFs that cups-pdf writes to the user's PDF
# folder with pdftotext and pdfinfo, then removes them and stops the server. The machine's own CUPS
# and its printers are never touched. Exits 77 (skipped) only when cupsd cannot start here.
#
# usage: tools/print-test.sh StampaReale.exe PREFIX
set -euo pipefail
program=$1
prefix=$2
tools=$(cd "$(dirname "$0")" && pwd)
wine=${WINE:-/usr/lib/wine/wine64}
export WINEPREFIX=$prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

for tool in cupsd lpadmin pdftotext pdfinfo; do
  command -v "$tool" >/dev/null || { echo "print-test: $tool missing (tools/setup.sh installs it)" >&2; exit 1; }
done
[ -x /usr/lib/cups/backend/cups-pdf ] || { echo "print-test: the cups-pdf backend is missing" >&2; exit 1; }

work=$(mktemp -d /tmp/talvo-print.XXXXXX)
# cups-pdf writes to the PDF folder of the job's owner.
pdfdir=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
cupsd_pid=
cleanup() {
  if [ -n "$cupsd_pid" ]; then
    kill "$cupsd_pid" 2>/dev/null || true
    wait "$cupsd_pid" 2>/dev/null || true
  fi
  # The prefix is this test's own: its Wine server goes with the printer it knew.
  WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The spool must be reachable by the filters, which run as the lp user.
chmod 755 "$work"
mkdir -p "$work"/{conf,spool,cache,state,log,run}
chmod 755 "$work"/*
cat >"$work/conf/cupsd.conf" <<CONF
Listen $work/run/cups.sock
LogLevel info
Browsing Off
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
CONF
cat >"$work/conf/cups-files.conf" <<CONF
ServerRoot $work/conf
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/spool
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
Printcap $work/printcap
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
CONF
export CUPS_SERVER=$work/run/cups.sock
cupsd -f -c "$work/conf/cupsd.conf" -s "$work/conf/cups-files.conf" >"$work/log/cupsd.out" 2>&1 &
cupsd_pid=$!
for _ in $(seq 1 100); do
  [ -S "$CUPS_SERVER" ] && break
  kill -0 "$cupsd_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$CUPS_SERVER" ]; then
  echo "print-test: SKIPPED, cupsd could not start here:" >&2
  cat "$work/log/cupsd.out" "$work/log/error_log" 2>/dev/null >&2 || true
  exit 77
fi
lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd 2>/dev/null

"$tools/wine-prefix.sh" "$prefix" >/dev/null
# Wine reads the printers when a program first loads the spooler: a server still running from
# before would keep the list it had.
/usr/lib/wine/wineserver -k 2>/dev/null || true
mkdir -p "$pdfdir"

fail() {
  echo "print-test: FAILED: $*" >&2
  exit 1
}

# Prints the text file with StampaReale, waits until the queue is empty and moves cups-pdf's new
# PDF into the work folder (every job has the same title, so the same file name); prints its path.
print() {
  local text=$1 count=$2 pdf
  touch "$work/start.$count"
  env -u DISPLAY "$wine" "$program" PDF "Z:${text//\//\\}" >"$work/log/program.out" 2>&1 ||
    fail "StampaReale: $(cat "$work/log/program.out")"
  tr -d '\r' <"$work/log/program.out" | grep -qx 'printer: PDF' || fail "Wine does not list the printer PDF"
  for _ in $(seq 1 600); do
    if [ -z "$(lpstat -o PDF 2>/dev/null)" ]; then
      pdf=$(find "$pdfdir" -maxdepth 1 -name '*.pdf' -newer "$work/start.$count" | head -n 1)
      if [ -n "$pdf" ]; then
        mv "$pdf" "$work/job$count.pdf"
        echo "$work/job$count.pdf"
        return 0
      fi
    fi
    sleep 0.2
  done
  cat "$work/log/error_log" >&2
  fail "no PDF from the printer within 120 s"
}

landscape() {
  local info width height rot
  info=$(pdfinfo "$1")
  read -r width height < <(sed -n 's/^Page size: *\([0-9.]*\) x \([0-9.]*\).*/\1 \2/p' <<<"$info")
  rot=$(sed -n 's/^Page rot: *//p' <<<"$info")
  # Wider than high, or high and turned a quarter.
  awk -v w="$width" -v h="$height" -v r="${rot:-0}" \
    'BEGIN { l = (w > h); if (r == 90 || r == 270) l = !l; exit !l }'
}

# A short log: its lines, in a landscape page.
short=$work/short.log
printf '%s\r\n' "10/12/2026 15:00:00 Funzione: Inizializza Descrizione: prima riga ESITO OK" \
  "10/12/2026 15:00:01 Funzione: CopiaFile codice errore: 70 Descrizione: Autorizzazione negata FALLITO" >"$short"
pdf=$(print "$short" 1)
text=$(pdftotext -layout "$pdf" -)
grep -qF "Funzione: Inizializza Descrizione: prima riga ESITO OK" <<<"$text" || fail "first line missing: $text"
grep -qF "codice errore: 70 Descrizione: Autorizzazione negata FALLITO" <<<"$text" || fail "second line missing: $text"
[ "$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')" = 1 ] || fail "the short log is not one page"
landscape "$pdf" || fail "not landscape: $(pdfinfo "$pdf")"

# A long log: 300 numbered lines and one line far wider than the page, which wraps.
long=$work/long.log
{
  for i in $(seq -w 1 300); do printf '10/12/2026 15:00:00 Funzione: Prova Descrizione: riga %s ESITO OK\r\n' "$i"; done
  printf 'INIZIO%sFINE\r\n' "$(printf 'x%.0s' $(seq 1 400))"
} >"$long"
pdf=$(print "$long" 2)
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
[ "${pages:-0}" -ge 2 ] || fail "the long log is on ${pages:-0} page(s)"
landscape "$pdf" || fail "not landscape: $(pdfinfo "$pdf")"
first=$(pdftotext -f 1 -l 1 "$pdf" -)
rest=$(pdftotext -f 2 -l "$pages" "$pdf" -)
grep -qF "riga 001 ESITO OK" <<<"$first" || fail "line 1 is not on page 1"
grep -qF "riga 300 " <<<"$first" && fail "line 300 is on page 1"
grep -qF "riga 300 ESITO OK" <<<"$rest" || fail "line 300 is not after page 1"
all=$(pdftotext -layout "$pdf" -)
for i in $(seq -w 1 300); do
  grep -qF "Descrizione: riga $i ESITO OK" <<<"$all" || fail "line $i missing"
done
# The wide line is cut into rows: it starts on one and ends on another, nothing lost.
wrapped=$(grep -A3 'INIZIO' <<<"$all" | tr -d ' \n')
[[ $wrapped == INIZIO*FINE* ]] || fail "the wide line lost characters: $wrapped"
grep -q 'INIZIO.*FINE' <<<"$all" && fail "the wide line was not wrapped"
[ "$(tr -cd x <<<"$wrapped" | wc -c)" -eq 400 ] || fail "the wide line lost characters: $wrapped"

echo "print-test: 2 passed, 0 failed"
