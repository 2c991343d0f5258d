#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the Wine prefix beside the build's bin/.
program=$1
shift
bin=$(cd "$(dirname "$program")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$(dirname "$bin")/wine-prefix}
export WINEDEBUG=-all
exec wine "$bin/$(basename "$program")" "$@"
