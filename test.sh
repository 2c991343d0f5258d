#!/usr/bin/env bash
# Builds everything and runs the whole test suite. Installs what a fresh machine lacks.
set -euo pipefail
cd "$(dirname "$0")"

need=()
command -v cmake >/dev/null || need+=(cmake)
command -v ninja >/dev/null || need+=(ninja-build)
command -v g++ >/dev/null || need+=(g++)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
if [ ${#need[@]} -gt 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}"
fi

cmake --preset linux
cmake --build --preset linux
ctest --preset linux
