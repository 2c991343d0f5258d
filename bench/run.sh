#!/usr/bin/env bash
# Builds a release and measures the programs against find, sed, awk and a 256-byte copy floor,
# on inputs it makes itself (about 100,000 files and 100 MB in build/bench, removed after).
set -euo pipefail
cd "$(dirname "$0")/.."
bash cmake/install-missing.sh strace:strace /usr/bin/time:time awk:mawk
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
work=build/bench
rm -rf "$work"
mkdir -p "$work/inputs"
cc -O2 -o "$work/floor" bench/floor.c
trap 'rm -rf "$work/inputs"' EXIT
echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(uname -sr)"
python3 bench/bench.py "$PWD/build/release/bin" "$PWD/$work/floor" "$PWD/$work/inputs"
