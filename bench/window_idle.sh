#!/usr/bin/env bash
# Processor time of the window left alone without a link: started with
# settings of its own, given a few seconds to settle, then measured over the
# given time from the system's accounting of the process (user and system
# time) as a share of one processor. On X (a virtual X server, Xvfb) and on
# the offscreen platform, unless QT_QPA_PLATFORM names one.
#
# With --opens, the files the window opens meanwhile are counted as well
# (strace follows every thread): left alone, it should open none, and no
# port least of all.
#
# Usage: bench/window_idle.sh [SECONDS] [--opens] (default 60); the build
# folder is VANDREL_BUILD, or build/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${VANDREL_BUILD:-$top/build}
seconds=60
opens=
for argument in "$@"; do
    case "$argument" in
    --opens) opens=yes ;;
    *) seconds=$argument ;;
    esac
done
if [ -n "$opens" ] && ! command -v strace >/dev/null; then
    echo "--opens needs strace (Debian: apt-get install strace)" >&2
    exit 2
fi
window=$build/vandrel
[ -x "$window" ] || { echo "missing $window: build it first" >&2; exit 2; }
work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Clock ticks of the process so far, user and system.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

measure() {
    local platform=$1
    shift
    HOME="$work/home" XDG_CONFIG_HOME="$work/home" QT_QPA_PLATFORM=$platform "$@" "$window" \
        > "$work/out" 2>&1 &
    pid=$!
    sleep 5
    # The window itself: the newest process of that program under this one.
    local target
    target=$(pgrep -n -P "$pid" vandrel || echo "$pid")
    local before after tracer=
    if [ -n "$opens" ]; then
        strace -f -qq -e trace=openat -o "$work/opens" -p "$target" 2>/dev/null &
        tracer=$!
        sleep 1
    fi
    before=$(ticks "$target")
    sleep "$seconds"
    after=$(ticks "$target")
    if [ -n "$tracer" ]; then
        kill "$tracer" 2>/dev/null || true
        wait "$tracer" 2>/dev/null || true
        echo "$platform: $(grep -c 'openat(' "$work/opens" || true) files opened over $seconds s" \
            "(traced, so the time below includes the tracing)"
        grep -o 'openat([^,]*, "[^"]*"' "$work/opens" | sort | uniq -c | sort -rn | head -5 || true
    fi
    awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$seconds" -v p="$platform" \
        'BEGIN { printf "%-9s idle, not linked: %.2f%% of one processor over %d s (%d ticks)\n", p, 100 * t / hz / s, s, t }'
    kill "$target" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
}

echo "Window idle, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) CPUs, load $(cut -d' ' -f1-3 /proc/loadavg)"
if [ -n "${QT_QPA_PLATFORM:-}" ]; then
    measure "$QT_QPA_PLATFORM"
    exit 0
fi
measure offscreen
if command -v xvfb-run >/dev/null; then
    measure xcb xvfb-run -a -s "-screen 0 1280x1024x24"
else
    echo "X: not measured, xvfb-run is not installed (Debian: apt-get install xvfb)"
fi
