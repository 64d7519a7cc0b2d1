#!/usr/bin/env bash
# Feeds the serial data tab at twenty times the rate of a 38400-baud line and
# reports the longest stall of the event loop and the display's size, running,
# filtered and paused.  Arguments go to the program:
#   --seconds N (default 60)  --rate-factor F (default 20)  --reference  --unit-status
# The build folder is VANDREL_BUILD, or build/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${VANDREL_BUILD:-$top/build}
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANDREL_BENCH=ON \
    -UCMAKE_PROJECT_Vandrel_INCLUDE >/dev/null
cmake --build "$build" --target serialtabbench >/dev/null
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/tools/serialtabbench/serialtabbench" "$@"
