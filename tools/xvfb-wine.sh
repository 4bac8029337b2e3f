#!/usr/bin/env bash
# Runs a Windows program under Wine on a private virtual screen, for tests that open real windows.
set -euo pipefail
exec xvfb-run -a -s "-screen 0 1280x1024x24" /usr/lib/wine/wine64 "$@"
