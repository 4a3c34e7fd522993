#!/usr/bin/env bash
# Installs what is missing, builds, and runs the simulator on a data folder:
#   ./run.sh [DATA_DIR]     (default: ./demo)
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVRA_TESTS=OFF

data=${1:-demo}
if [ ! -f "$data/velmoran.dat" ]; then
    echo "run.sh: no data set in '$data' (velmoran.dat is missing)." >&2
    echo "Give the folder of a data set: ./run.sh /path/to/data" >&2
    exit 1
fi
echo "run.sh: checking the data set in '$data'"
build/bin/tovra-sim check --data "$data"
echo "run.sh: driving 60 simulated seconds on '$data'; trace in build/run-trace.csv"
build/bin/tovra-sim run --data "$data" --seconds 60 --trace build/run-trace.csv
