# shellcheck shell=bash
# Sourced by the scripts: one line per step on the terminal, the step's whole output in a log.
#   step_log FILE [append]  starts the log (truncating it unless told to append); the steps
#                           append to it
#   step "what" cmd args... prints "what... done (12 s)"; on failure prints the last lines of
#                           the step's output and where the whole log is, and exits 1
#   step_note TEXT          appends TEXT to the next "done" (set it from inside a step's command)
# The output of the last step stays in $QM_STEP_OUTPUT until the next step starts.

QM_STEP_LOG=/dev/null
QM_STEP_OUTPUT=""

step_log() {
    mkdir -p "$(dirname "$1")"
    QM_STEP_LOG=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
    [ "${2:-}" = append ] || : >"$QM_STEP_LOG"
    QM_STEP_OUTPUT="$QM_STEP_LOG.step"
}

step_seconds() {  # seconds -> "12 s" or "3 min 05 s"
    if [ "$1" -lt 60 ]; then echo "$1 s"; else printf '%d min %02d s\n' $(($1 / 60)) $(($1 % 60)); fi
}

step() {
    local what=$1
    shift
    local start=$SECONDS status=0
    printf '%s... ' "$what"
    printf '\n===== %s: %s\n===== $ %s\n' "$(date '+%F %T')" "$what" "$*" >>"$QM_STEP_LOG"
    : >"$QM_STEP_OUTPUT"
    rm -f "$QM_STEP_OUTPUT.note"
    # In a subshell of its own so that `set -e` holds inside the step's functions too (it is
    # off in anything run as part of an || list); a step leaves its results in files.
    set +e
    (
        set -e
        "$@"
    ) </dev/null >"$QM_STEP_OUTPUT" 2>&1
    status=$?
    set -e
    cat "$QM_STEP_OUTPUT" >>"$QM_STEP_LOG"
    local took
    took=$(step_seconds $((SECONDS - start)))
    if [ "$status" -ne 0 ]; then
        echo "FAILED (exit $status after $took)"
        echo "----- the last lines of its output:"
        tail -n 60 "$QM_STEP_OUTPUT"
        echo "----- the whole output: $QM_STEP_LOG"
        exit 1
    fi
    if [ -s "$QM_STEP_OUTPUT.note" ]; then
        echo "done, $(cat "$QM_STEP_OUTPUT.note") ($took)"
    else
        echo "done ($took)"
    fi
}

step_note() {
    printf '%s' "$*" >"$QM_STEP_OUTPUT.note"
}

# The number of source files the last build step compiled (the build tool names each one).
step_compiled() {
    grep -cE 'Building (CXX|C) object' "$QM_STEP_OUTPUT" || true
}
