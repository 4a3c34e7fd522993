#!/usr/bin/env bash
# Installs what is missing, builds, generates the demo line when it is missing
# and starts the simulator on it:
#   ./run.sh [DATA_DIR] [tovra options...]    (default: ./demo, generated on first use)
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVRA_TESTS=OFF

data=demo
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then
    data=$1
    shift
fi
if [ ! -f "$data/velmoran.dat" ]; then
    if [ "$data" != demo ]; then
        echo "run.sh: no data set in '$data' (velmoran.dat is missing)." >&2
        exit 1
    fi
    echo "run.sh: generating the demo line into '$data' (a few minutes, once)"
fi
[ "$data" = demo ] && build/bin/tovra-demo "$data"

echo "run.sh: checking '$data' with line_rapid_down.dat"
build/bin/tovra-sim check --data "$data" --route line_rapid_down.dat

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<MESSAGE
run.sh: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the
window of tovra cannot open here. On a machine without a screen, run it on a
virtual one, for example with a screenshot of the cab after 20 seconds:
  xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/tovra --data $data --route 1 \\
      --screenshot cab.png --screenshot-after 20
MESSAGE
    exit 1
fi
echo "run.sh: starting tovra on '$data'"
exec build/bin/tovra --data "$data" "$@"
