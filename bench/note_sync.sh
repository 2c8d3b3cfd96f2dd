#!/bin/bash
# The note sync against a local Radicale: the first sync of NOTES notes (AlmanorFetch, from a
# calendar.dat of one note a day) beside the same number of plain PUTs from a simple client
# (plain_puts.py, one kept-alive connection), in one interleaved run of ROUNDS rounds, each into a
# fresh calendar. Then counts the requests the server saw for a sync with nothing changed, with
# one note changed here and with one changed on the server.
#
# Usage: bench/note_sync.sh BUILD_DIR [NOTES] [ROUNDS]
#   BUILD_DIR: a Release build folder with Almanor/AlmanorFetch. NOTES: 10000. ROUNDS: 3.
#   SERVER=null: the same two clients against null_dav_server.py, which stores nothing and
#   answers at once, so that only the clients' own costs count (no download or request counts).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: note_sync.sh BUILD_DIR [NOTES] [ROUNDS]}" && pwd)
notes=${2:-10000}
rounds=${3:-3}
fetch="$build/Almanor/AlmanorFetch"
[ -x "$fetch" ] || { echo "missing $fetch" >&2; exit 2; }
python=/usr/bin/python3
work=$(mktemp -d)
server=
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

if [ "${SERVER:-radicale}" = null ]; then
    coproc NULL_SERVER { exec $python "$root/bench/null_dav_server.py"; }
    server=$NULL_SERVER_PID
    read -r port <&"${NULL_SERVER[0]}"
else
    port=$($python -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    printf 'anna:secret\n' >"$work/users"
    $python -m radicale --config "" --server-hosts "127.0.0.1:$port" \
        --storage-filesystem-folder "$work/collections" --auth-type htpasswd \
        --auth-htpasswd-filename "$work/users" --auth-htpasswd-encryption plain \
        --logging-level info >"$work/radicale.log" 2>&1 &
    server=$!
    for _ in $(seq 100); do
        $python -c "import socket; socket.create_connection(('127.0.0.1', $port))" 2>/dev/null && break
        sleep 0.1
    done
fi
base="http://127.0.0.1:$port"
$python "$root/bench/write_events.py" "$notes" >"$work/calendar.dat"

# Sets up round r's calendar.dat, settings and an empty calendar on the server.
prepare_sync() { # r
    local dir="$work/sync$1"
    mkdir -p "$dir"
    cp "$work/calendar.dat" "$dir/calendar.dat"
    printf '[Calendar 1]\nName=Notes\nURL=%s/anna/notes%s/\nUser=anna\nKeep Notes=1\n' \
        "$base" "$1" >"$dir/Almanor.ini"
    curl -s -o /dev/null -w '%{http_code}' -u anna:secret -X MKCALENDAR "$base/anna/notes$1/" |
        grep -q 201 || { echo "MKCALENDAR failed" >&2; exit 1; }
}

# Runs one sync of round r's files; prints its output on standard error.
sync_once() { # r
    local dir="$work/sync$1"
    echo "1=secret" | "$fetch" --calendar 1 --settings "$dir/Almanor.ini" --cache "$dir/cache" \
        --data "$dir/calendar.dat" --passwords >&2
}

# The seconds a command took.
seconds() {
    local started ended
    started=$(date +%s.%N)
    "$@" >/dev/null
    ended=$(date +%s.%N)
    echo "$ended - $started" | bc -l | xargs printf '%.2f'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

: >"$work/plain"
: >"$work/sync"
: >"$work/ratio"
for r in $(seq "$rounds"); do
    prepare_sync "$r"
    if [ $((r % 2)) -eq 1 ]; then
        $python "$root/bench/plain_puts.py" "$port" anna secret "/anna/plain$r/" "$notes" >>"$work/plain"
        seconds sync_once "$r" >>"$work/sync"; echo >>"$work/sync"
    else
        seconds sync_once "$r" >>"$work/sync"; echo >>"$work/sync"
        $python "$root/bench/plain_puts.py" "$port" anna secret "/anna/plain$r/" "$notes" >>"$work/plain"
    fi
    ratio=$(echo "$(tail -1 "$work/sync") / $(tail -1 "$work/plain")" | bc -l | xargs printf '%.2f')
    echo "$ratio" >>"$work/ratio"
    echo "round $r: plain PUTs $(tail -1 "$work/plain") s, first sync $(tail -1 "$work/sync") s," \
        "ratio $ratio"
done
echo "median of $rounds: $notes plain PUTs $(median <"$work/plain") s, first sync of $notes" \
    "notes $(median <"$work/sync") s; median ratio of a round $(median <"$work/ratio")"

[ "${SERVER:-radicale}" = null ] && exit 0

# The other way: an empty calendar.dat without a state, against round 1's calendar.
mkdir -p "$work/syncpull"
: >"$work/syncpull/calendar.dat"
cp "$work/sync1/Almanor.ini" "$work/syncpull/Almanor.ini"
before=$(grep -c ' request for ' "$work/radicale.log" || true)
took=$(seconds sync_once pull)
after=$(grep -c ' request for ' "$work/radicale.log" || true)
echo "first sync of an empty calendar.dat with the $notes notes of the server: $took s," \
    "$((after - before)) requests"

# Requests the server logged during one sync of round 1's files.
requests_of_sync() {
    local before after
    before=$(grep -c ' request for ' "$work/radicale.log" || true)
    sync_once 1 2>/dev/null
    sleep 0.2
    after=$(grep -c ' request for ' "$work/radicale.log" || true)
    echo $((after - before))
}
echo "requests, nothing changed: $(requests_of_sync)"
sed -i '5s/Meeting/Changed meeting/' "$work/sync1/calendar.dat"
echo "requests, one note changed here: $(requests_of_sync)"
href=$(cd "$work/collections/collection-root/anna/notes1" && for f in *.ics; do echo "$f"; break; done)
curl -s -u anna:secret "$base/anna/notes1/$href" | sed 's/^SUMMARY:.*/SUMMARY:Changed on the phone\r/' |
    curl -s -o /dev/null -u anna:secret -X PUT -H 'Content-Type: text/calendar' --data-binary @- \
        "$base/anna/notes1/$href"
echo "requests, one note changed on the server: $(requests_of_sync)"
