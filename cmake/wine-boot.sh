#!/usr/bin/env bash
# Makes the Wine prefix of a build and starts its server once, so that every later start of a
# test program is fast (the first start in a new prefix can take long enough to time out).
set -eu
export WINEPREFIX=$1
export WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
# A server that already runs for this prefix is just as good.
wineserver -p60 </dev/null >/dev/null 2>&1 || true
wine wineboot </dev/null >/dev/null 2>&1
