#!/usr/bin/env bash
# Processor time of the whole window on X while a simulated unit floods the
# line and the serial data tab shows it unfiltered. A virtual X server (Xvfb)
# with a window manager (openbox) stands in for the desktop; the simulator
# writes at full speed with RATE extra lines a second (1600 is about twenty
# times the characters of a 38400-baud line); the window connects to it at
# start (--port), is moved to the top left corner and the tab is clicked.
# After a few seconds to settle, the process's user and system time over the
# given time, from the system's accounting, is reported as a share of one
# processor, with the load average. Given several window programs (an old
# and a new build), each run measures them in turn and the medians close.
#
# Usage: bench/serialtab_x_cpu.sh [--seconds N] [--runs N] [--rate LINES]
#        [--shot FILE.xwd] [WINDOW...]
# WINDOW defaults to the window of VANDREL_BUILD, or build/; the simulator
# comes from there too. --shot keeps a picture of the first run's screen
# (xwd format), to check that the click reached the tab.
# Needs xvfb, openbox, xdotool and x11-apps (xwd), Debian's packages.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${VANDREL_BUILD:-$top/build}
seconds=20
runs=3
rate=1600
shot=
windows=()
while [ $# -gt 0 ]; do
    case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --rate) rate=$2; shift 2 ;;
    --shot) shot=$2; shift 2 ;;
    *) windows+=("$1"); shift ;;
    esac
done
[ ${#windows[@]} -gt 0 ] || windows=("$build/vandrel")
unitsim=$build/tools/unitsim/vandrel-unitsim
for program in "${windows[@]}" "$unitsim"; do
    [ -x "$program" ] || { echo "missing $program: build it first" >&2; exit 2; }
done
for tool in Xvfb openbox xdotool; do
    command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install xvfb openbox xdotool)" >&2; exit 2; }
done
# Where the window, at the top left corner, shows the serial data tab's title.
tab_x=${VANDREL_TAB_X:-294}
tab_y=${VANDREL_TAB_Y:-76}

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

display=7
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
done
export DISPLAY=:$display
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.1
done
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# One measurement of one window; prints the share of one processor.
measure() {
    local window=$1 picture=$2
    "$unitsim" --fast --flood "$rate" >"$work/sim.out" 2>"$work/sim.err" &
    local sim=$!
    local port=
    for _ in $(seq 50); do
        port=$(awk '/^PORT / { print $2; exit }' "$work/sim.out")
        [ -n "$port" ] && break
        sleep 0.1
    done
    [ -n "$port" ] || { echo "the simulator named no port" >&2; kill "$sim"; return 1; }
    rm -rf "${work:?}/home"
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local" \
        VANDREL_PORTS=$port "$window" --port "$port" >"$work/window.log" 2>&1 &
    local pid=$!
    local id
    id=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" 2>/dev/null | head -1 || true)
    [ -n "$id" ] || { echo "the window $window did not show" >&2; kill "$pid" "$sim"; return 1; }
    xdotool windowmove "$id" 0 0
    sleep 2
    xdotool mousemove --window "$id" "$tab_x" "$tab_y" click 1
    sleep 5
    [ -z "$picture" ] || xwd -root -silent >"$picture"
    local before after
    before=$(ticks "$pid")
    sleep "$seconds"
    after=$(ticks "$pid")
    # A window that did not take the line (a box about the port, say) or has
    # lost it measures nothing of interest.
    local linked=no fd
    for fd in /proc/"$pid"/fd/*; do
        [ "$(readlink "$fd")" = "$port" ] && linked=yes
    done
    kill "$pid" "$sim" 2>/dev/null || true
    wait "$pid" "$sim" 2>/dev/null || true
    [ "$linked" = yes ] || { echo "the window $window does not hold $port" >&2; return 1; }
    awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
        'BEGIN { printf "%.2f\n", 100 * t / hz / s }'
}

echo "Serial data tab on X, $rate extra lines/s, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) CPUs"
declare -A results
for run in $(seq "$runs"); do
    for i in "${!windows[@]}"; do
        picture=
        [ "$run" -gt 1 ] || [ "$i" -gt 0 ] || picture=$shot
        share=$(measure "${windows[$i]}" "$picture")
        results[$i]="${results[$i]:-} $share"
        echo "run $run  ${windows[$i]}: $share% of one processor over $seconds s," \
            "load $(cut -d' ' -f1-3 /proc/loadavg)"
    done
done
for i in "${!windows[@]}"; do
    # shellcheck disable=SC2086
    printf '%s\n' ${results[$i]} | sort -g |
        awk -v w="${windows[$i]}" '{ v[NR] = $1 } END {
            m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "median %s: %.2f%% (%d runs)\n", w, m, NR }'
done
