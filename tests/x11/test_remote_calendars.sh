#!/bin/bash
# Remote calendars on a real X server: an .ics subscription served over HTTP on 127.0.0.1 and a
# CalDAV calendar of a Radicale server (found from the server's root with a user name and
# password) are added through the settings window's "Calendars" tab, and their events appear in
# their days' boxes. With the servers stopped, a restarted calendar still shows them from the
# cache. calendar.dat stays
# byte for byte as it was. Screenshots: docs/screenshots/calendars-tab.png, -add.png, -month.png.
set -u
: "${ALMANOR_PROGRAM_DIR:?}" "${ALMANOR_SOURCE_DIR:?}"
source "$(dirname "$0")/common.sh"
shots="$ALMANOR_SOURCE_DIR/docs/screenshots"
mkdir -p "$shots"

year=$(date +%Y)
month=$(date +%-m)
today=$(date +%-d)
# Days other than today, so that no "Today:" alert stands in the way.
event_day=15
[ "$today" = 15 ] && event_day=16
note_day=10
[ "$today" = 10 ] && note_day=11
caldav_day=20
[ "$today" = 20 ] && caldav_day=21

program_world "Settings%20Tab=9"
export XDG_CACHE_HOME="$work/cache"
data="$work/Almanor/calendar.dat"
printf '"%s/%s/%s=Dentist"\r\n' "$note_day" "$month" "$year" >"$data"
cp "$data" "$work/original.dat"
xsetroot -solid "#3a6ea5"

mkdir -p "$work/served"
printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\nBEGIN:VEVENT\r\nUID:review@test\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:%04d%02d%02dT090000\r\nSUMMARY:Team review\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n' \
    "$year" "$month" "$event_day" >"$work/served/team.ics"
free_port() {
    python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}
port=$(free_port)
start python3 -m http.server --bind 127.0.0.1 --directory "$work/served" "$port"
server_pid=$last_pid

# Radicale (Debian's, on the system's Python) with one user, a calendar "Work" and one event.
mkdir -p "$work/radicale"
echo "ann:secret-pw" >"$work/radicale/users"
rport=$(free_port)
start /usr/bin/python3 -m radicale --config "" --server-hosts "127.0.0.1:$rport" \
    --storage-filesystem-folder "$work/radicale/collections" --auth-type htpasswd \
    --auth-htpasswd-filename "$work/radicale/users" --auth-htpasswd-encryption plain
radicale_pid=$last_pid
python3 - "$rport" "$year" "$month" "$caldav_day" <<'PY' || fail "Radicale could not be filled"
import base64, socket, sys, time, urllib.request
port, year, month, day = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
for _ in range(200):
    try:
        socket.create_connection(("127.0.0.1", int(port)), 1).close()
        break
    except OSError:
        time.sleep(0.1)
auth = "Basic " + base64.b64encode(b"ann:secret-pw").decode()
def send(method, path, body, kind):
    request = urllib.request.Request(f"http://127.0.0.1:{port}{path}", data=body.encode(),
                                     method=method, headers={"Authorization": auth,
                                                             "Content-Type": kind})
    urllib.request.urlopen(request).close()
send("MKCALENDAR", "/ann/work/", '<?xml version="1.0"?><C:mkcalendar xmlns:D="DAV:" '
     'xmlns:C="urn:ietf:params:xml:ns:caldav"><D:set><D:prop><D:displayname>Work'
     '</D:displayname></D:prop></D:set></C:mkcalendar>', "application/xml")
send("PUT", "/ann/work/plan.ics", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//T//T//EN\r\n"
     "BEGIN:VEVENT\r\nUID:plan@test\r\nDTSTAMP:20260101T000000Z\r\n"
     f"DTSTART:{year:04d}{month:02d}{day:02d}T140000\r\nSUMMARY:Planning\r\n"
     "END:VEVENT\r\nEND:VCALENDAR\r\n", "text/calendar")
PY

start_calendar() {
    start "$work/Almanor/Almanor"
    calendar_pid=$last_pid
    calendar=$(timeout 20 xdotool search --sync --onlyvisible --name '^Almanor$' | head -1)
    [ -n "$calendar" ] || { fail "the calendar window did not appear"; exit 1; }
    sleep 1
}


start_calendar
[ "$(caption_colours "$event_day")" = 1 ] || fail "the box of the $event_day. shows an event before any calendar"

settings=""
for _ in 1 2 3; do
    xdotool windowactivate --sync "$calendar" 2>/dev/null || true
    xdotool key F8
    settings=$(timeout 5 xdotool search --sync --onlyvisible --name '^Almanor Settings$' | head -1)
    [ -n "$settings" ] && break
done
[ -n "$settings" ] || { fail "F8 did not open the settings window"; exit 1; }
xdotool windowmove --sync "$settings" 40 40
sleep 0.8

# The page starts at 225, 765 twips; its Add button at 0, 202 (pixels at 96 DPI), 80 x 23.
open_add() {
    xdotool mousemove --window "$settings" $((225 / 15 + 40)) $((765 / 15 + 213)) click 1
    add=$(timeout 10 xdotool search --sync --onlyvisible --name '^Add Calendar$' | head -1)
    [ -n "$add" ] || { fail "Add did not open the \"Add Calendar\" window"; exit 1; }
    xdotool windowactivate --sync "$add" 2>/dev/null || true
}
# Added means fetched: the cache fills.
wait_cached() {
    for _ in $(seq 150); do
        [ "$(ls "$XDG_CACHE_HOME"/Almanor/*.ics 2>/dev/null | wc -l)" -ge "$1" ] && return 0
        sleep 0.2
    done
    return 1
}
open_add
xdotool type --delay 5 "http://127.0.0.1:$port/team.ics"
xdotool key Return
wait_cached 1 || fail "the subscription was not fetched"
grep -q '^\[Calendar%201\]' "$work/config/Almanor/Almanor.ini" || fail "no [Calendar 1] group"

# The server's root, a user and a password: the server's calendars are listed, all ticked.
open_add
xdotool type --delay 5 "http://127.0.0.1:$rport/"
xdotool key Tab
xdotool type --delay 5 "ann"
xdotool key Tab
xdotool type --delay 5 "secret-pw"
xdotool key Return
sleep 3
import -window "$add" "$shots/calendars-add.png"
xdotool key Return
wait_cached 2 || fail "the CalDAV calendar was not fetched: $(cat "$work/programs.log" | tail -5)"
grep -q '^Name=Work' "$work/config/Almanor/Almanor.ini" || fail "no calendar named Work"
grep -q 'secret-pw' "$work/config/Almanor/Almanor.ini" && fail "the password reached Almanor.ini"
sleep 1.5
import -window "$settings" "$shots/calendars-tab.png"
[ "$(caption_colours "$event_day")" -gt 1 ] || fail "the box of the $event_day. shows no remote event"
[ "$(caption_colours "$note_day")" -gt 1 ] || fail "the note of the $note_day. is gone"
[ "$(caption_colours "$caldav_day")" -gt 1 ] || fail "the box of the $caldav_day. shows no CalDAV event"
cp "$work/calendar.png" "$shots/calendars-month.png"

# Without the servers, a new start shows the events from the cache.
kill "$server_pid" "$radicale_pid"
wait_end "$server_pid" 10
wait_end "$radicale_pid" 10
kill "$calendar_pid"
wait_end "$calendar_pid" 10
start_calendar
[ "$(caption_colours "$event_day")" -gt 1 ] || fail "after a restart without the server the event is gone"
[ "$(caption_colours "$caldav_day")" -gt 1 ] || fail "after a restart without Radicale its event is gone"
cmp -s "$data" "$work/original.dat" || fail "calendar.dat changed: $(cat -A "$data")"
alive "$calendar_pid" || fail "the calendar ended during the test"
[ "$failures" = 0 ] || exit 1
echo "PASS: an .ics and a CalDAV calendar added through the Calendars tab show their events, also from the cache"
