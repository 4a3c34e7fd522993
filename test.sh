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
