#!/usr/bin/env bash
# The same work done by two builds of the programs (Qt 5.15 and Qt 6) must
# give the same bytes: the .pad files written, the sentences the unit
# receives, the traffic logs and summaries of a commissioning run (clock
# times aside), and what vandrel-cli prints of them.
#   builds_agree.sh BUILD_A BUILD_B
# Both talk to the simulator of BUILD_A, so that only the programs differ.
set -euo pipefail
a=$1
b=$2
work=$(mktemp -d)
sims=()
cleanup() {
    for pid in "${sims[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8
export XDG_CONFIG_HOME=$work/config
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# shellcheck source=tests/simulator.sh
. "$(dirname "$0")/simulator.sh"
# Starts a fresh simulated unit; sets $port, its received lines go to $1.err.
fresh_unit() {
    start_sim "$a/tools/unitsim/vandrel-unitsim" "$1.out" "$1.err" --fast --quiet --verbose \
        --state "$1.json" || exit 1
    sims+=("$sim_pid")
}

# Clock times, register entry ids, the simulator's port and the output folder.
normalised() {
    sed -E -e 's/[0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}\/[0-9]{2}\/[0-9]{2}/TIME/g' \
        -e 's/[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}Z/TIME/g' \
        -e 's/batch-[0-9]{8}-[0-9]{6}/batch-TIME/g' \
        -e 's/^(Register .*: )[0-9.]+ ms of the run$/\1N ms of the run/' \
        -e 's/[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}/ENTRY/g' \
        -e 's#/dev/pts/[0-9]+#PORT#g' -e "s#$work/[ab]/#OUT/#g" "$1"
}

# The serial-number polls go on through a send at the clock's pace, so how
# many a run makes is the machine's, not the build's.
without_polls() {
    grep -v ',getserno' || true
}

for side in a b; do
    build=${!side}
    cli=$build/tools/cli/vandrel-cli
    out=$work/$side
    mkdir -p "$out/records"
    # Each build its own register, as on two computers, and never the user's.
    export XDG_DATA_HOME=$out/data
    fresh_unit "$out/unit"
    "$cli" retrieve --port "$port" -o "$out/retrieved.pad" 2>"$out/retrieve.err" ||
        fail "$side: retrieve failed: $(cat "$out/retrieve.err")"
    "$cli" show "$out/retrieved.pad" >"$out/show.txt"
    "$cli" show --json "$out/retrieved.pad" >"$out/show.json"
    # Values at the edges of their fields and of their text: a position just
    # under a whole minute, the date line, a name of every kind of character
    # the unit keeps.
    cat >"$out/units.csv" <<'CSV'
mmsi,name,latitude,longitude,offPositionThreshold,limvmax
992351017,"NORTH PIER, HEAD-2 (B) #+.",-33.9999995,179.99999,150,13250
CSV
    # Status 1, a unit that differs from what was sent, is an answer too.
    status=0
    "$cli" commission --template "$out/retrieved.pad" --units "$out/units.csv" \
        --records "$out/records" --port "$port" --engineer "Builds Agree" \
        >"$out/commission.out" 2>"$out/commission.err" || status=$?
    [ $status -le 1 ] || fail "$side: commission ended with $status: $(cat "$out/commission.err")"
    "$cli" retrieve --port "$port" -o "$out/commissioned.pad" 2>>"$out/retrieve.err" ||
        fail "$side: second retrieve failed"
    "$cli" diff "$out/retrieved.pad" "$out/commissioned.pad" >"$out/diff.txt" || true
    "$cli" show --json "$out/commissioned.pad" >"$out/commissioned.json"
    for log in "$out"/records/*.log; do
        "$cli" replay --fast --json "$log" >"$out/replay.json" 2>/dev/null ||
            fail "$side: replay of $log failed"
    done
    # What the unit received, in order.
    { grep '^<< ' "$out/unit.err" || true; } | without_polls >"$out/received.txt"
done

compare() {
    if ! cmp -s "$work/a/$1" "$work/b/$1"; then
        fail "$1 differs between the builds:"
        diff "$work/a/$1" "$work/b/$1" | head -n 20 >&2 || true
    fi
}
for file in retrieved.pad commissioned.pad show.txt show.json commissioned.json diff.txt \
    replay.json received.txt; do
    compare "$file"
done
# The commissioning run's traffic logs, summary and messages, clock times
# and ports aside.
for side in a b; do
    cat "$work/$side"/records/*.log | without_polls >"$work/$side/logs.txt"
    for file in logs.txt records/summary.csv commission.err; do
        normalised "$work/$side/$file" >"$work/$side/$(basename "$file").normal"
    done
done
for file in logs.txt summary.csv commission.err; do
    compare "$file.normal"
done
[ -s "$work/a/received.txt" ] || fail "the unit received nothing"
[ -s "$work/a/logs.txt" ] || fail "no traffic log was written"

[ $failures -eq 0 ] && echo "builds agree: every file, sentence and log is the same"
exit $((failures > 0))
