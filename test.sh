#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the Linux build, the same under the
# sanitizers, the fuzz targets for a bounded time, then the Windows build under Wine, and packs
# the Windows ZIP. Installs what a fresh machine lacks.
set -euo pipefail
cd "$(dirname "$0")"

need=()
command -v cmake >/dev/null || need+=(cmake)
command -v ninja >/dev/null || need+=(ninja-build)
command -v g++ >/dev/null || need+=(g++)
command -v script >/dev/null || need+=(bsdutils)
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64)
command -v wine >/dev/null || need+=(wine wine64)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
command -v clang++ >/dev/null || need+=(clang)
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-dev)
if [ ${#need[@]} -gt 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi

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
