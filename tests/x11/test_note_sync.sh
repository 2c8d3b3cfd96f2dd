#!/bin/bash
# The notes kept in a CalDAV calendar of a Radicale server on 127.0.0.1, with the real calendar,
# editor and fetch program: a note typed in the editor reaches the server a few seconds after it
# is saved; the same event changed on the server comes back into its day's box with the next
# sync (which the next note's save starts), with no restart. Screenshot:
# docs/screenshots/calendars-notes.png (the Calendars tab telling how the sync stands) and
# calendars-edit-notes.png (the notes calendar's Edit window).
set -u
: "${ALMANOR_PROGRAM_DIR:?}" "${ALMANOR_SOURCE_DIR:?}"
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
shots="$ALMANOR_SOURCE_DIR/docs/screenshots"
mkdir -p "$shots"

year=$(date +%Y)
month=$(date +%-m)
today=$(date +%-d)
# Days other than today, so that no "Today:" alert stands in the way.
note_day=10
[ "$today" = 10 ] && note_day=11
next_day=20
[ "$today" = 20 ] && next_day=21

free_port() {
    python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}
# Radicale (Debian's, on the system's Python), open to anyone on 127.0.0.1: the calendar then
# needs no password, which under test no keyring could give it.
mkdir -p "$work/radicale"
printf '[all]\nuser: .*\ncollection: .*\npermissions: RrWw\n' >"$work/radicale/rights"
rport=$(free_port)
start /usr/bin/python3 -m radicale --config "" --server-hosts "127.0.0.1:$rport" \
    --storage-filesystem-folder "$work/radicale/collections" --auth-type none \
    --rights-type from_file --rights-file "$work/radicale/rights"
collection="http://127.0.0.1:$rport/ann/notes/"

# dav COMMAND...: the server's side, as a phone would see it. "make" creates the collection;
# "events" prints every event's SUMMARY line; "change OLD NEW" rewrites the event whose SUMMARY
# is OLD with NEW as its SUMMARY and DESCRIPTION (If-Match its ETag).
dav() {
    /usr/bin/python3 - "$collection" "$@" <<'PY'
import re, socket, sys, time, urllib.parse, urllib.request
url, command, args = sys.argv[1], sys.argv[2], sys.argv[3:]
def send(method, target, body=b"", headers=None):
    request = urllib.request.Request(urllib.parse.urljoin(url, target), data=body or None,
                                     method=method, headers=headers or {})
    with urllib.request.urlopen(request) as answer:
        return answer.read(), answer.headers
def members():
    body, _ = send("PROPFIND", url, b'<?xml version="1.0"?><propfind xmlns="DAV:"><prop>'
                   b'<getetag/></prop></propfind>', {"Depth": "1"})
    hrefs = re.findall(rb"<(?:\w+:)?href>([^<]+\.ics)</(?:\w+:)?href>", body)
    return [send("GET", href.decode()) + (href.decode(),) for href in hrefs]
if command == "make":
    port = int(urllib.parse.urlparse(url).port)
    for _ in range(200):
        try:
            socket.create_connection(("127.0.0.1", port), 1).close()
            break
        except OSError:
            time.sleep(0.1)
    send("MKCOL", url.rsplit("/", 2)[0] + "/")
    send("MKCALENDAR", url)
elif command == "events":
    for ics, _, _ in members():
        for line in ics.decode().splitlines():
            if line.startswith("SUMMARY"):
                print(line)
elif command == "change":
    old, new = args
    for ics, headers, href in members():
        text = ics.decode()
        if f"SUMMARY:{old}\r\n" not in text:
            continue
        text = re.sub(r"\r\nSUMMARY:[^\r]*", f"\r\nSUMMARY:{new}", text)
        text = re.sub(r"\r\nDESCRIPTION:[^\r]*", f"\r\nDESCRIPTION:{new}", text)
        send("PUT", href, text.encode(), {"If-Match": headers["ETag"],
                                          "Content-Type": "text/calendar"})
        break
    else:
        sys.exit(f"no event {old!r} on the server")
PY
}
dav make || { fail "Radicale could not be set up: $(tail -5 "$work/programs.log")"; exit 1; }

program_world "Settings%20Tab=9" "[Calendar%201]" "Name=Notes" "URL=$collection" "Keep%20Notes=1"
export XDG_CACHE_HOME="$work/cache"
data="$work/Almanor/calendar.dat"

start_calendar() {
    start "$work/Almanor/Almanor"
    calendar_pid=$last_pid
    calendar=$(timeout 20 xdotool search --sync --onlyvisible --pid "$calendar_pid" --name '^Almanor$' | head -1)
    [ -n "$calendar" ] || { fail "the calendar window did not appear"; exit 1; }
    sleep 1
}

# save_note DAY TEXT: types TEXT into the day's editor and saves it with Enter.
save_note() {
    type_on_day "$1" "$2" && xdotool key Return
}

# caption DAY FILE: the picture of the day's caption area (as caption_colours crops it).
caption() {
    local index=$(($(date -d "$year-$month-01" +%w) + $1 - 1))
    import -window "$calendar" "$work/calendar.png"
    convert "$work/calendar.png" -crop "47x36+$(((90 + index % 7 * 900) / 15 + 4))+$(((810 + index / 7 * 990) / 15 + 22))" +repage "$2"
}

# await SECONDS COMMAND...: true once COMMAND succeeds, trying every 0.2 s.
await() {
    local limit=$1 i
    shift
    for ((i = 0; i < limit * 5; i++)); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}
# pixels A B: how many pixels of two pictures differ ("" when they can't be compared).
pixels() {
    local count
    count=$(compare -metric AE "$1" "$2" null: 2>&1)
    [[ $count =~ ^[0-9]+$ ]] && echo "$count"
}
on_server() { dav events | grep -qx "SUMMARY:$1"; }
in_data() { grep -q "\"$1/$month/$year=$2\"" "$data" 2>/dev/null; }

note "a note saved in the editor reaches the server"
start_calendar
save_note "$note_day" "Lunch"
in_data "$note_day" "Lunch" || fail "the editor did not save the note: $(cat "$data" 2>/dev/null)"
await 30 on_server "Lunch" || fail "the note did not reach the server: $(tail -5 "$work/programs.log")"
caption "$note_day" "$work/typed.png"

note "the event changed on the server comes back into its box with the next sync"
dav change "Lunch" "Lunch with Ann" || fail "the event could not be changed on the server"
save_note "$next_day" "Gym"
await 30 on_server "Gym" || fail "the second note did not reach the server"
await 30 in_data "$note_day" "Lunch with Ann" ||
    fail "the server's change did not reach calendar.dat: $(cat "$data")"
sleep 1
caption "$note_day" "$work/synced.png"
[ "$(pixels "$work/typed.png" "$work/synced.png")" -gt 0 ] 2>/dev/null ||
    fail "the box of the $note_day. still shows the typed text"
[ "$(dav events | sort | tr '\n' ' ')" = "SUMMARY:Gym SUMMARY:Lunch with Ann " ] ||
    fail "the server holds other events than the two notes: $(dav events)"

# A fresh start draws the box from calendar.dat alone: the box after the sync showed the same.
xdotool key --window "$calendar" F8
settings=$(timeout 10 xdotool search --sync --onlyvisible --name '^Almanor Settings$' | head -1)
if [ -n "$settings" ]; then
    xdotool windowmove --sync "$settings" 40 40
    sleep 1
    import -window "$settings" "$shots/calendars-notes.png"
    # The notes calendar's Edit window, with its ticked "Keep my notes in this calendar".
    xdotool mousemove --window "$settings" 200 76 click 1
    sleep 0.3
    xdotool mousemove --window "$settings" 140 264 click 1
    edit=$(timeout 10 xdotool search --sync --onlyvisible --name '^Edit Calendar$' | head -1)
    if [ -n "$edit" ]; then
        sleep 0.5
        import -window "$edit" "$shots/calendars-edit-notes.png"
        xdotool key --window "$edit" Escape
    else
        fail "Edit did not open the notes calendar's window"
    fi
else
    fail "F8 did not open the settings window"
fi
kill "$calendar_pid"
wait_end "$calendar_pid" 10
start_calendar
caption "$note_day" "$work/fresh.png"
[ "$(pixels "$work/synced.png" "$work/fresh.png")" = 0 ] ||
    fail "the box after the sync differs from the box drawn from calendar.dat"
alive "$calendar_pid" || fail "the calendar ended during the test"
[ "$failures" = 0 ] || exit 1
echo "PASS: a typed note reached the server, and its change on the server reached its box"
