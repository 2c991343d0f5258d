#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the Linux build, the same under the
# sanitizers, the fuzz targets for a bounded time, then the Windows build under Wine, and packs
# the Windows ZIP. Installs what a fresh machine lacks.
set -euo pipefail
cd "$(dirname "$0")"

bash cmake/install-missing.sh cmake:cmake ninja:ninja-build g++:g++ script:bsdutils \
    x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64 wine:wine /usr/lib/wine/wine64:wine64 \
    /usr/src/googletest/CMakeLists.txt:googletest clang++:clang \
    '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a:libclang-rt-dev'

# The Wine servers the tests start stay for a minute; none outlives the run.
stop_wine() {
    for prefix in build/*/wine-prefix; do
        [ -d "$prefix" ] && WINEPREFIX=$PWD/$prefix wineserver -k 2>/dev/null || true
    done
}
trap stop_wine EXIT

echo "== Linux build"
cmake --preset linux
cmake --build --preset linux
ctest --preset linux

echo "== Linux build with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize

echo "== Fuzzing"
bash tests/fuzz/run.sh 20

echo "== Windows build, tests under Wine"
cmake --preset windows
cmake --build --preset windows
ctest --preset windows
(cd build/windows && cpack -G ZIP >/dev/null && python3 -m zipfile -l renhlp-*-win64.zip)
