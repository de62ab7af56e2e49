#!/usr/bin/env bash
# Runs a command with an X display: the one there is, or a fresh Xvfb screen of 1024x768.
set -euo pipefail
if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" "$@"
