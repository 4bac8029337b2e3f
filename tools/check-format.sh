#!/usr/bin/env bash
# Fails, naming the files, when a tracked C++ source is not laid out as the root .clang-format says.
# With --fix, formats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=tools/versions.sh
. tools/versions.sh

mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.hpp' '*.cc')
if [ "${1:-}" = "--fix" ]; then
  "$CLANG_FORMAT" -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  "$CLANG_FORMAT" --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if ((${#bad[@]})); then
  echo "format: not formatted with $CLANG_FORMAT (run tools/check-format.sh --fix):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "format: ${#files[@]} files formatted"
