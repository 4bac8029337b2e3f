#!/usr/bin/env bash
# Runs a benchmark program of the win64 build under Wine on the test data source TALVO:
#   tools/benchmark.sh [program]   (default: split_delete_benchmark)
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/win64
program=${1:-split_delete_benchmark}
cmake --build --preset win64 --target "$program" >/dev/null
tools/wine-prefix.sh "$PWD/$build/wineprefix"
export WINEPREFIX=$PWD/$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
export TALVO_SILENT=1 ODBCSYSINI=$PWD/$build/odbc ODBCINI=$PWD/$build/odbc/odbc.ini
cd "$build/wineprefix/drive_c"
exec /usr/lib/wine/wine64 "$OLDPWD/$build/benchmarks/$program.exe"
