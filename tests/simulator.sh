# Sourced by the shell tests and scripts/run: the unit simulator started in
# the background, and its port once it has said it.
#   start_sim PROGRAM OUT ERR [OPTIONS...]
# Standard output goes to OUT (its first line names the port), standard error
# to ERR. Sets sim_pid and port; without a port line within ten seconds, or
# when the simulator ends first, says why on standard error and returns 1.
# The simulator ends with the shell that started it, should that be killed.
start_sim() {
    local program=$1 out=$2 err=$3
    shift 3
    "$program" "$@" >"$out" 2>"$err" &
    sim_pid=$!
    port=""
    for _ in $(seq 1 100); do
        port=$(sed -n 's/^PORT //p' "$out" | head -n 1)
        [ -n "$port" ] && return 0
        kill -0 "$sim_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "the unit simulator did not start: $(cat "$err")" >&2
    return 1
}
