#!/usr/bin/env bash
# Guards a change that must not change behaviour: records the traces and event
# logs of `tovra-sim run` on the quick demo (three routes, three trains, four
# drives each: the built-in driver's recorded drive, a save and restore, a
# move, a pause), and later checks that the same drives give the same bytes.
#   traces.sh record DIR    build tovra-sim, write the drives and their output into DIR
#   traces.sh check DIR     play DIR's drives again; exit 1 when any file differs
set -euo pipefail
cd "$(dirname "$0")/.."
usage() {
    echo "usage: $0 record|check DIR" >&2
    exit 2
}
[ $# -eq 2 ] || usage
mode=$1
dir=$(realpath -m "$2")
case $mode in record | check) ;; *) usage ;; esac

build=build
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVRA_TESTS=OFF >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)" --target tovra-sim tovra-demo >/dev/null
sim=$build/bin/tovra-sim
data=$build/traces-demo
"$build/bin/tovra-demo" --quick "$data" 2>/dev/null

routes=(line_rapid_down line_rapid_utl line_rapid_up)
trains=("train_E231.dat:" "train_oldemu.dat:train_oldemu" "train_dmu.dat:train_dmu")

vehicleOptions() {
    local file=${1%%:*} folder=${1#*:}
    echo "--vehicle $file${folder:+ --vehicle-dir $data/$folder}"
}

# The fixed drives, each on top of the first minutes of the recorded drive.
writeDrives() {
    local drives=$1
    printf '45 menu save 2\n60 menu restore 2\n' >"$drives/restore.txt"
    printf '40 menu move 2\n' >"$drives/move.txt"
    printf '30 menu start\n30.5 char a\n31 key F12 shift\n40 menu start\n' >"$drives/pause.txt"
}

# One route and train: the drives, then the traces and events of each.
playAll() {
    local out=$1 route=$2 train=$3
    local vehicle
    vehicle=$(vehicleOptions "$train")
    local name=${route}_${train%%.dat:*}
    local scripts=$dir/drives/$name
    if [ "$mode" = record ]; then
        mkdir -p "$scripts"
        # shellcheck disable=SC2086
        "$sim" bench --data "$data" --route "$route.dat" $vehicle --hours 0.25 \
            --record "$scripts/bench.txt" >/dev/null
        writeDrives "$scripts"
        for extra in restore move pause; do
            sort -n -s -k1,1 "$scripts/bench.txt" "$scripts/$extra.txt" >"$scripts/$extra.full"
            mv "$scripts/$extra.full" "$scripts/$extra.txt"
        done
    fi
    for drive in bench restore move pause; do
        # shellcheck disable=SC2086
        "$sim" run --data "$data" --route "$route.dat" $vehicle --script "$scripts/$drive.txt" \
            --seconds 900 --trace-panel --trace "$out/$name.$drive.csv" --events "$out/$name.$drive.jsonl" \
            >/dev/null 2>&1
    done
}

if [ "$mode" = record ]; then
    rm -rf "$dir"
    mkdir -p "$dir/traces"
    out=$dir/traces
else
    [ -d "$dir/traces" ] || { echo "$0: nothing recorded in $dir" >&2; exit 2; }
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
fi

for route in "${routes[@]}"; do
    for train in "${trains[@]}"; do
        playAll "$out" "$route" "$train"
    done
done

if [ "$mode" = record ]; then
    echo "traces.sh: $(find "$dir/traces" -type f | wc -l) files recorded in $dir"
    exit 0
fi
differ=0
for recorded in "$dir"/traces/*; do
    name=$(basename "$recorded")
    if ! cmp -s "$recorded" "$out/$name"; then
        echo "differs: $name"
        differ=$((differ + 1))
    fi
done
total=$(find "$dir/traces" -type f | wc -l)
echo "traces.sh: $((total - differ)) of $total files identical"
[ "$differ" -eq 0 ]
