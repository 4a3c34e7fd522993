#!/usr/bin/env bash
# Installs what is missing, builds, generates the demo line when it is missing
# and runs the simulator on it:
#   ./run.sh [DATA_DIR]     (default: ./demo, generated on first use)
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVRA_TESTS=OFF

data=${1:-demo}
if [ ! -f "$data/velmoran.dat" ]; then
    if [ "$data" != demo ]; then
        echo "run.sh: no data set in '$data' (velmoran.dat is missing)." >&2
        exit 1
    fi
    echo "run.sh: generating the demo line into '$data' (a few minutes, once)"
fi
[ "$data" = demo ] && build/bin/tovra-demo "$data"

route=line_rapid_down.dat
echo "run.sh: checking '$data' with $route"
build/bin/tovra-sim check --data "$data" --route "$route"
echo "run.sh: driving 120 simulated seconds on '$data' ($route); trace in build/run-trace.csv"
build/bin/tovra-sim run --data "$data" --route "$route" --seconds 120 --trace build/run-trace.csv --trace-every 10
