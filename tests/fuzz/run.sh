#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a bounded time (default 20 s), starting from the
# seed corpus in the repo; any finding fails the run and leaves its input in build/fuzz/.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-20}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for target in fuzz_parse_number fuzz_command_line fuzz_read_lines fuzz_batchgen; do
    work=build/fuzz/corpus/$target
    mkdir -p "$work"
    echo "== $target, $seconds s"
    (cd build/fuzz && ./bin/$target -max_total_time="$seconds" -print_final_stats=0 \
        "corpus/$target" "../../tests/fuzz/corpus/$target" 2>&1 | tail -n 3)
done
