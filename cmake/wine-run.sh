#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the Wine prefix beside the build's bin/.
# Without a terminal of its own it runs on a pseudo-terminal, which gives it a real console
# for the console tests to read back; its output goes through a file so that it reads plainly.
program=$1
shift
bin=$(cd "$(dirname "$program")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$(dirname "$bin")/wine-prefix}
export WINEDEBUG=-all
command=(wine "$bin/$(basename "$program")" "$@")
if [ -t 0 ] || ! command -v script >/dev/null; then
    exec "${command[@]}"
fi
log=$(mktemp)
script -qec "$(printf '%q ' "${command[@]}") >'$log' 2>&1" /dev/null >/dev/null
status=$?
cat "$log"
rm -f "$log"
exit $status
