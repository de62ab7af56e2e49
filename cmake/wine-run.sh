#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in a Wine prefix of the build's own and the
# Simplified Chinese locale (so the ANSI code page is 936). Used by CTest for every test of
# the Windows build; its exit code is the program's.
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
: "${ZQ_WINE_BUILD:=$here/build/windows}"
export WINEPREFIX="${WINEPREFIX:-$ZQ_WINE_BUILD/wineprefix}"
export LC_ALL=zh_CN.UTF-8
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win32
# Wine links the prefix's Desktop and Documents to $HOME. Tests make folders on the Desktop
# (the folder picker opens there), so each build gets a home of its own: two builds' test
# runs never share, or delete, each other's folders.
export HOME="$ZQ_WINE_BUILD/home"
mkdir -p "$HOME"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver -w
fi
exec wine "$@"
