#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan) and runs each for
# SECONDS: fuzz.sh [SECONDS] (default 60). Stops at the first finding, names
# its reproducer and exits 1. New inputs go to build/fuzz/corpus/<target>;
# the seeds of fuzz/corpus/<target> are only read.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build/fuzz
targets=(route vehicle settings saved_state serial script remote_command)

if [ ! -f "$build/CMakeCache.txt" ]; then
    # Light optimisation and line tables only: quick to build, fast enough to fuzz.
    cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" -DTOVRA_FUZZ=ON -DTOVRA_TESTS=OFF >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

mkdir -p "$build/findings"
for target in "${targets[@]}"; do
    corpus=$build/corpus/$target
    mkdir -p "$corpus"
    log=$build/findings/$target.log
    if ! "$build/bin/fuzz_$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -max_len=65536 -artifact_prefix="$build/findings/$target-" -print_final_stats=1 \
        "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "fuzz.sh: $target found a fault; reproducer:" \
            "$(ls -t "$build/findings/$target-"* 2>/dev/null | head -n 1)" >&2
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
    echo "fuzz: $target: $runs runs in $seconds s, $cov, no finding"
done
