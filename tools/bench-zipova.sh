#!/usr/bin/env bash
# Zip of a copy of /usr/include at level 6 through Zipova under Wine against the native
# `zip -r -6` on the same copy, in the same run: wall times and archive sizes, and their ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Zipova ZipovaBenchmark >/dev/null
build=$PWD/build/win64
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all
tools/wine-prefix.sh "$WINEPREFIX"
work=$build/bench-zipova
rm -rf "$work"
mkdir -p "$work"
cp -r /usr/include "$work/include"
echo "tree: $(du -sb "$work/include" | cut -f1) bytes, $(find "$work/include" -type f | wc -l) files"
winpath() { printf 'Z:%s' "${1//\//\\}"; }

line=$(/usr/lib/wine/wine64 "$build/benchmarks/ZipovaBenchmark.exe" "$(winpath "$build/archive/Zipova.dll")" \
  "$(winpath "$work")" include "$(winpath "$work/zipova.zip")")
echo "$line"
zipova_wall=$(sed -E 's/.*wall ([0-9.]+) s.*/\1/' <<<"$line")
unzip -tq "$work/zipova.zip"

start=$(date +%s.%N)
(cd "$work" && zip -q -r -6 native.zip include)
end=$(date +%s.%N)
native_wall=$(python3 -c "import sys; print('%.3f' % (float(sys.argv[2]) - float(sys.argv[1])))" "$start" "$end")
echo "native zip -r -6: wall $native_wall s size $(stat -c %s "$work/native.zip")"
python3 - "$zipova_wall" "$native_wall" "$(stat -c %s "$work/zipova.zip")" "$(stat -c %s "$work/native.zip")" <<'PY'
import sys
zw, nw, zs, ns = map(float, sys.argv[1:])
print(f"ratios zipova/native: wall time {zw / nw:.3f}, size {zs / ns:.4f}")
PY
rm -rf "$work"
