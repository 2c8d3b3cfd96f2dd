# Shared start of the end-to-end scripts: a work folder removed at exit with every program the
# script started (append their pids to "started"), and failures counted by fail.
work=$(mktemp -d)
started=()
cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
note() { echo "--- $*"; }
