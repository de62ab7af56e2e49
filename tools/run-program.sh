#!/usr/bin/env bash
# Starts the program under Wine. Until the window exists, runs the engine's tests instead.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/windows/zqrename.exe ]; then
  echo "The window is not built yet; running the engine's tests under Wine instead."
  exec tools/with-display.sh ctest --preset windows
fi
