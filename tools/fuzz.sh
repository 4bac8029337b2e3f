#!/usr/bin/env bash
# Builds the native fuzz harnesses of fuzz/ (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer), replays each one's committed corpus and fuzzes it.
#   tools/fuzz.sh             CI: a fixed seed and a fixed number of executions per harness
#   tools/fuzz.sh SECONDS     a longer run of each harness; the inputs it finds are left in
#                             build/fuzz/found/<harness>, for fuzz/corpus/ when they add coverage
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-}
out=build/fuzz
mkdir -p "$out"
harnesses=(TraduciIfmx FormattaData Sybase Splitting TestoCifrato)
# The Windows-free sources each harness links; the COM classes and modules live in other files.
informix="Testo DateFormat FormattaData OuterJoin Substr Systable TempTable Traduci TraduciErr TraduciSelect"
declare -A needs=(
  [TraduciIfmx]="$informix"
  [FormattaData]="$informix RegoleSybase"
  [Sybase]="Testo RegoleSybase"
  [Splitting]="Split SqlText"
  [TestoCifrato]="TestoCifrato"
)
declare -A source=(
  [Testo]=translators/common/Testo.cpp [RegoleSybase]=translators/sybase/RegoleSybase.cpp
  [Split]=translators/informix/splitting/Split.cpp [SqlText]=translators/informix/splitting/SqlText.cpp
  [TestoCifrato]=crypt/TestoCifrato.cpp
)
for name in $informix; do [ -n "${source[$name]:-}" ] || source[$name]=translators/informix/$name.cpp; done
flags=(-std=c++17 -g -O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
  -I. -Iplatform -Itranslators -Itranslators/informix -Icrypt)
mkdir -p "$out/obj"
# Each source once, then each harness linked with libFuzzer's main.
for name in "${!source[@]}"; do
  clang++ "${flags[@]}" -c "${source[$name]}" -o "$out/obj/$name.o"
done
for h in "${harnesses[@]}"; do
  objects=()
  for name in ${needs[$h]}; do objects+=("$out/obj/$name.o"); done
  clang++ "${flags[@]}" -fsanitize=fuzzer "fuzz/${h}Fuzz.cpp" "${objects[@]}" -o "$out/$h"
done
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
for h in "${harnesses[@]}"; do
  corpus=fuzz/corpus/$h
  scratch=$out/found/$h
  rm -rf "$scratch" && mkdir -p "$scratch"
  options=(-dict=fuzz/translators.dict -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1)
  echo "fuzz: $h"
  if [ -n "$seconds" ]; then
    "$out/$h" "${options[@]}" -max_total_time="$seconds" "$scratch" "$corpus"
  else
    "$out/$h" "${options[@]}" -runs=0 "$corpus"
    "$out/$h" "${options[@]}" -seed=1 -runs=4000 "$scratch" "$corpus"
  fi
done
echo "fuzz: every harness passed"
