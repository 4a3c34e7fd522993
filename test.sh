#!/usr/bin/env bash
# Installs what is missing, builds with the sanitizers and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh build/asan -DCMAKE_BUILD_TYPE=Debug -DTOVRA_SANITIZE=ON -DTOVRA_TESTS=ON
export QT_QPA_PLATFORM=offscreen ALSOFT_DRIVERS=null
# A sanitizer report fails its test.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir build/asan --output-on-failure --parallel "$(nproc)" --timeout 600

# A few seconds of each fuzz target and a short soak on each demo route: a
# regression in bad-input handling or a broken invariant fails the run.
demo=build/asan/tests/quick-demo
./scripts/fuzz.sh 4
for route in line_rapid_down.dat line_rapid_utl.dat line_rapid_up.dat; do
    build/asan/bin/tovra-sim soak --data "$demo" --route "$route" --hours 0.05 --seed 1
done
