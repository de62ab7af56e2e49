#!/usr/bin/env bash
# Starts the program under Wine. With a display it just runs it. Without one it starts Xvfb,
# opens the window on a virtual desktop of 1024x768, saves a screenshot to
# build/screenshot.png, closes the window and says where the picture is.
set -euo pipefail
cd "$(dirname "$0")/.."
program=build/windows/zqrename.exe
if [ ! -f "$program" ]; then
  echo "run-program.sh: $program is not built; run 'make run'" >&2
  exit 1
fi

if [ "${1:-}" != "--screenshot" ]; then
  if [ -n "${DISPLAY:-}" ]; then
    exec cmake/wine-run.sh "$program"
  fi
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --screenshot
fi

# On the Xvfb display.
cmake/wine-run.sh explorer /desktop=zqrename,1024x768 "$program" &
for _ in $(seq 100); do
  if xwininfo -root -tree 2>/dev/null | grep -q 'ZQ文件批量改名'; then break; fi
  sleep 0.2
done
sleep 1  # let the window paint
import -window root build/screenshot.png
# Without /f, taskkill asks the window to close, as its close button does; it must run on
# the same virtual desktop to see the window.
cmake/wine-run.sh explorer /desktop=zqrename,1024x768 taskkill /im zqrename.exe \
  >/dev/null 2>&1 || true
wait
WINEPREFIX="$PWD/build/windows/wineprefix" wineserver -w
echo "The window was shown under Wine on a virtual screen and closed again."
echo "Screenshot: $PWD/build/screenshot.png"
