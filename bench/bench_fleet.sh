#!/usr/bin/env bash
# Fleet commissioning side by side: 1, 2, 4 and 8 simulated units, each on
# its own paced line, commissioned (send, read-back, records) by one
# vandrel-cli commission run. Prints the wall time and the peak memory of
# each run as measured, the ratio of each time to one unit's, the memory
# each unit beyond the first added, and the time the run spent in the unit
# register (opening it, the MMSI look-ups, the entries written, as the run
# measured it) with its share of the run: the register's cost, which a
# difference of two runs' times on a busy machine would drown in noise.
#
# Usage: bench/bench_fleet.sh [BUILD_DIR]       (default: build)
#   BENCH_UNITS="1 2 4 8"   the unit counts measured
#   BENCH_REPEAT=1          runs of each count; the medians are printed
# Needs vandrel-cli and vandrel-unitsim built in BUILD_DIR, and /usr/bin/time.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
counts=${BENCH_UNITS:-1 2 4 8}
cli=$build/tools/cli/vandrel-cli
sim=$build/tools/unitsim/vandrel-unitsim
for program in "$cli" "$sim" /usr/bin/time; do
    [ -x "$program" ] || { echo "missing $program" >&2; exit 2; }
done

work=$(mktemp -d)
pids=()
stop_sims() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    pids=()
}
cleanup() {
    stop_sims
    rm -rf "$work"
}
trap cleanup EXIT

# Starts n simulators of their own identities; their ports in ports[].
start_sims() {
    local n=$1 i
    ports=()
    for i in $(seq "$n"); do
        "$sim" --serial "BENCH-$i" --mmsi "$(printf '9923520%02d' "$i")" \
            --state "$work/unit$i.json" > "$work/sim$i.out" 2> /dev/null &
        pids+=($!)
    done
    for i in $(seq "$n"); do
        for _ in $(seq 100); do
            grep -q '^PORT ' "$work/sim$i.out" 2>/dev/null && break
            sleep 0.05
        done
        ports+=("$(sed -n 's/^PORT //p' "$work/sim$i.out")")
    done
}

echo "Fleet commissioning, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) CPUs, load $(cut -d' ' -f1-3 /proc/loadavg)"

# The template: a unit's own configuration, as an engineer would start.
start_sims 1
"$cli" retrieve --port "${ports[0]}" -o "$work/template.pad" 2> /dev/null
stop_sims

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

printf '%6s %10s %8s %12s %12s %10s\n' units seconds "x one" "peak MB" "register ms" "register %"
one=
one_kb=
repeat=${BENCH_REPEAT:-1}
for n in $counts; do
    : > "$work/times$n"
    : > "$work/kbs$n"
    : > "$work/registers$n"
    # The register as a bench has it: there already (made once, here), each
    # run into a records folder of its own.
    "$cli" history --register "$work/register$n.sqlite" > /dev/null 2>&1 || true
    for r in $(seq "$repeat"); do
        rm -f "$work"/unit*.json
        start_sims "$n"
        {
            # Each row bound to its unit: the runs give every unit the same
            # MMSI, which the register would refuse to give another.
            echo "mmsi,name,latitude,longitude,serial"
            for i in $(seq "$n"); do
                printf '9923530%02d,BENCH %d,%d.5,-%d.25,BENCH-%d\n' "$i" "$i" "$((40 + i))" "$i" "$i"
            done
        } > "$work/units$n.csv"
        args=()
        for port in "${ports[@]}"; do args+=(--port "$port"); done
        start=$(date +%s.%N)
        /usr/bin/time -f '%M' -o "$work/rss$n" "$cli" commission --template "$work/template.pad" \
            --units "$work/units$n.csv" --records "$work/records$n-$r" \
            --register "$work/register$n.sqlite" "${args[@]}" \
            > "$work/out$n" 2> "$work/err$n" || { echo "commission of $n units failed:"; cat "$work/err$n"; exit 1; }
        end=$(date +%s.%N)
        stop_sims
        echo "$end - $start" | bc -l >> "$work/times$n"
        cat "$work/rss$n" >> "$work/kbs$n"
        sed -n 's/^Register .*: \([0-9.]*\) ms of the run$/\1/p' "$work/err$n" >> "$work/registers$n"
    done
    seconds=$(median < "$work/times$n")
    kb=$(median < "$work/kbs$n")
    register_ms=$(median < "$work/registers$n")
    [ -z "$one" ] && one=$seconds && one_kb=$kb && one_n=$n
    printf '%6d %10.2f %8.2f %12.1f %12.1f %10.3f\n' "$n" "$seconds" "$(echo "$seconds / $one" | bc -l)" \
        "$(echo "$kb / 1024" | bc -l)" "$register_ms" "$(echo "$register_ms / 10 / $seconds" | bc -l)"
    last_n=$n
    last_kb=$kb
done
if [ "${last_n:-0}" -gt "${one_n:-0}" ]; then
    printf 'memory per unit beyond the first: %.2f MB\n' \
        "$(echo "($last_kb - $one_kb) / 1024 / ($last_n - $one_n)" | bc -l)"
fi
