#!/usr/bin/env bash
# Feeds the serial data tab at twenty times the rate of a 38400-baud line and
# reports the processor time, the longest stall of the event loop and the
# display's size: the tab alone running, filtered and paused, then the whole
# window with the tab shown (unfiltered and filtered) and with another page
# shown.  It runs on the offscreen platform and on X (a virtual X server,
# Xvfb), unless QT_QPA_PLATFORM names one.  Arguments go to the program:
#   --seconds N (default 60)  --rate-factor F (default 20)  --reference  --unit-status
# The build folder is VANDREL_BUILD, or build/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${VANDREL_BUILD:-$top/build}
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANDREL_BENCH=ON \
    -UCMAKE_PROJECT_Vandrel_INCLUDE >/dev/null
cmake --build "$build" --target serialtabbench >/dev/null
program="$build/tools/serialtabbench/serialtabbench"
if [ -n "${QT_QPA_PLATFORM:-}" ]; then
    exec "$program" "$@"
fi
QT_QPA_PLATFORM=offscreen "$program" "$@"
if command -v xvfb-run >/dev/null; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$program" "$@"
else
    echo "X: not measured, xvfb-run is not installed (Debian: apt-get install xvfb)"
fi
