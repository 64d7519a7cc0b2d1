#!/usr/bin/env bash
# Runs one test of a ThreadSanitizer build and fails it on any report, also
# on one raised in a program the test started (vandrel-cli, the unit
# simulator): such a report would otherwise go to a standard error the test
# may never read, and the program's exit status to a test that may not look
# at it, or that stops the program itself. Every process writes its reports
# to a file of its own (report.PID) in REPORT_DIR, emptied first; those files
# are printed after the test.
#   tsan_run.sh REPORT_DIR TEST [ARGUMENTS...]
set -uo pipefail
dir=$1
shift
rm -rf "$dir"
mkdir -p "$dir"
export TSAN_OPTIONS="${TSAN_OPTIONS:-}:log_path=$dir/report"
"$@"
status=$?
shopt -s nullglob
reports=("$dir"/report.*)
if [ ${#reports[@]} -gt 0 ]; then
    for report in "${reports[@]}"; do
        echo "== ThreadSanitizer, process ${report##*.}:" >&2
        cat "$report" >&2
    done
    echo "== ${#reports[@]} process(es) with ThreadSanitizer reports" >&2
    [ "$status" -ne 0 ] || status=1
fi
exit "$status"
