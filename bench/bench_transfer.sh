#!/usr/bin/env bash
# Measured speed of Vandrel: retrieve and send against the unit simulator at
# the 38400-baud pace, replay and decode of a large traffic log, and start-up
# of the window. Every figure printed is one that was measured on this run.
#
# Usage: bench/bench_transfer.sh [BUILD_DIR]        (default: build)
#   BENCH_RUNS=3      repetitions of each transfer and of the start-up
#   BENCH_LOG_MB=50   size of the generated traffic log in megabytes
# Needs vandrel-cli, vandrel-unitsim and vandrel built in BUILD_DIR; the
# start-up figure also needs g++ and the Qt headers.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
runs=${BENCH_RUNS:-3}
log_mb=${BENCH_LOG_MB:-50}
cli=$build/tools/cli/vandrel-cli
sim=$build/tools/unitsim/vandrel-unitsim
window=$build/vandrel
for program in "$cli" "$sim"; do
    [ -x "$program" ] || { echo "missing $program: build it first" >&2; exit 2; }
done

work=$(mktemp -d)
simpid=
cleanup() {
    [ -n "$simpid" ] && kill "$simpid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

echo "Vandrel benchmark, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) CPUs, load $(cut -d' ' -f1-3 /proc/loadavg)"
echo

# The simulator at the 38400-baud pace, without unsolicited traffic, so that
# every character on the line belongs to the transfer.
"$sim" --quiet > "$work/sim.out" 2> "$work/sim.err" &
simpid=$!
for _ in $(seq 100); do
    grep -q '^PORT ' "$work/sim.out" 2>/dev/null && break
    sleep 0.05
done
port=$(sed -n 's/^PORT //p' "$work/sim.out")
[ -n "$port" ] || { echo "the simulator did not start" >&2; exit 3; }

echo "== Retrieve of both tabs (vandrel-cli retrieve --port $port -o FILE)"
for i in $(seq "$runs"); do
    "$cli" retrieve --port "$port" -o "$work/unit.pad" 2> "$work/retrieve.err" ||
        { cat "$work/retrieve.err" >&2; exit 3; }
    grep '^Retrieve of both tabs took' "$work/retrieve.err"
done | tee "$work/retrieve.txt"
awk '{ took += $6; floor += $9; rx += $(NF - 6) } END {
        n = NR; printf "mean %.3f s against a floor of %.3f s: %+.1f%%; against %.3f s (received characters only, as a pseudo-terminal paces): %+.1f%%\n",
            took / n, floor / n, (took / floor - 1) * 100, rx / n, (took / rx - 1) * 100 }' "$work/retrieve.txt"
echo

echo "== Send of both tabs (vandrel-cli send --port $port FILE; the time of the send alone)"
for i in $(seq "$runs"); do
    "$cli" send --port "$port" "$work/unit.pad" 2> "$work/send.err" ||
        { cat "$work/send.err" >&2; exit 3; }
    grep '^Send of both tabs took' "$work/send.err"
done | tee "$work/send.txt"
awk '{ took += $6; floor += $9 } END {
        printf "mean %.3f s against a floor of %.3f s: %+.1f%%\n", took / NR, floor / NR,
            (took / floor - 1) * 100 }' "$work/send.txt"
kill "$simpid" 2>/dev/null || true
wait "$simpid" 2>/dev/null || true
simpid=
echo

echo "== Replay and decode of a ${log_mb} MB traffic log (vandrel-cli replay --fast LOG > /dev/null)"
# One second of a unit's traffic: GPS fix, satellites, texts, its own
# message 21, alarms and a text, repeated to the size asked for.
block=$(cat <<'LINES'
$GPRMC,201148.75,A,5047.4495,N,00106.2246,W,0.02,211.6,061226,,,A*78
$GPGSA,A,3,02,05,13,15,20,24,29,,,,,,1.6,0.9,1.3*30
$GPGSV,3,1,10,02,64,003,44,05,41,147,40,07,12,296,28,13,55,188,42*79
$GPGSV,3,2,10,15,23,083,35,18,08,257,,20,36,032,38,24,70,214,46*79
$GPGSV,3,3,10,29,17,326,31,33,30,099,36*76
$GPTXT,03,01,01,GNSS RECEIVER FW 2.01 (59842)*63
$GPTXT,03,02,01,ANTENNA OK*34
$GPTXT,03,03,01,TIME PULSE LOCKED*0E
!AIVDO,1,1,,A,E>jHD0VW7a:4@84RaF@;Rab@40aOuNCu>R0R050`HHpQ80SmD`1CU4PCPi@,2*37
$AIALR,201149.87,001,V,V,AIS: Tx malfunction*4B
$AIALR,201149.87,025,V,V,AIS: external EPFS lost*3A
$AIALR,201149.87,061,V,A,AtoN: supply voltage low*7E
$AITXT,01,01,21,AtoN: lantern on*12
LINES
)
log=$work/traffic.log
{
    printf '#\n# vandrel Started log file at 12:00:00 2026/12/06\n#\n'
    printf '%s\n' "$block" | awk -v bytes=$((log_mb * 1024 * 1024)) '
        { lines[NR] = $0; size += length($0) + 1 }
        END { for (n = 0; n < bytes; n += size) for (i = 1; i <= NR; ++i) print lines[i] }'
    printf '#\n# vandrel Stopped log file at 12:00:01 2026/12/06\n#\n'
} > "$log"
echo "log: $(stat -c %s "$log") bytes, $(wc -l < "$log") lines"
/usr/bin/env time -f '%e %U %S %M' -o "$work/replay.time" \
    "$cli" replay --fast --mmsi 992351234 "$log" > /dev/null 2> "$work/replay.err"
grep '^Replayed' "$work/replay.err"
read -r wall user sys maxrss < "$work/replay.time"
lines=$(sed -n 's/^Replayed \([0-9]*\) lines.*/\1/p' "$work/replay.err")
awk -v n="$lines" -v wall="$wall" -v user="$user" -v sys="$sys" -v rss="$maxrss" 'BEGIN {
    printf "%.0f lines/s by the wall clock (%.2f s), %.0f lines/s of processor time (%.2f s user, %.2f s system), max resident %d KiB\n",
        n / wall, wall, n / (user + sys), user, sys, rss }'
echo

echo "== Window start-up to its first shown frame (QT_QPA_PLATFORM=offscreen vandrel)"
if [ ! -x "$window" ]; then
    echo "skipped: $window is not built"
    exit 0
fi
qtinc=$(qmake -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt5)
if ! g++ -std=c++17 -shared -fPIC -O2 -x c++ "$top/bench/bench_transfer_firstframe.cpp.in" \
        -I"$qtinc" -I"$qtinc/QtCore" -I"$qtinc/QtGui" -o "$work/firstframe.so" -ldl -lQt5Core -lQt5Gui \
        2> "$work/hook.err"; then
    echo "skipped: the first-frame probe did not build:"; cat "$work/hook.err"
    exit 0
fi
mkdir -p "$work/home"
for i in $(seq "$runs"); do
    rm -f "$work/frame.txt"
    # Its own settings folder: the window must not find a remembered port.
    BENCH_T0_NS=$(date +%s%N) BENCH_OUT="$work/frame.txt" LD_PRELOAD="$work/firstframe.so" \
        HOME="$work/home" XDG_CONFIG_HOME="$work/home" QT_QPA_PLATFORM=offscreen \
        "$window" > /dev/null 2>&1 &
    pid=$!
    for _ in $(seq 200); do
        [ -s "$work/frame.txt" ] && break
        sleep 0.05
    done
    sleep 2
    settled=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || echo "?")
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if [ -s "$work/frame.txt" ]; then
        read -r ms rss < "$work/frame.txt"
        echo "first frame after ${ms} ms; resident ${rss} KiB then, ${settled} KiB 2 s later"
    else
        echo "no frame seen within 10 s"
    fi
done
