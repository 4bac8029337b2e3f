#!/usr/bin/env bash
# Installs what is missing, builds both presets (warnings as errors) and runs every x64 test under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

now() { date +%s; }
t0=$(now)
tools/setup.sh
tools/check-format.sh
t1=$(now)
for preset in win64 win32; do
  cmake --preset "$preset" -DTALVO_WERROR=ON >/dev/null
  cmake --build --preset "$preset"
done
t2=$(now)

# The x86 preset only builds; every test is an x64 Windows program run under Wine.
count=$(ctest --preset win64 -N | sed -n 's/^Total Tests: //p')
if [ "${count:-0}" -le 1 ]; then
  echo "test: no x64 test is registered" >&2
  exit 1
fi
status=0
# A test that fails gets one more run: a Wine freeze in the log viewer's test (see its
# CMakeLists) must not fail the whole run. Both runs are printed.
ctest --preset win64 -j2 --repeat until-pass:2 || status=$?
t3=$(now)
# The native fuzz harnesses: the committed corpus replayed, then a fixed seed and run count.
tools/fuzz.sh || status=$?
t4=$(now)
echo "test: setup $((t1 - t0)) s, build $((t2 - t1)) s, tests $((t3 - t2)) s, fuzz $((t4 - t3)) s"
exit $status
