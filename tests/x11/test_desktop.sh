#!/bin/bash
# The calendar on a real X server with openbox: its window layer, the work area it follows, and
# the monthly wallpaper of the sample pack on a bare X server (root window pixmap).
# Needs ALMANOR_PROGRAM_DIR; with ALMANOR_SCREENSHOT_DIR set, screenshots are saved there.
set -u

status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

work=$(mktemp -d)
prog="$work/Almanor"
mkdir -p "$prog"
cp -r "$ALMANOR_PROGRAM_DIR/." "$prog/"
rm -f "$prog"/Default/*.bmp "$prog/calendar.dat"
export XDG_CONFIG_HOME="$work/config"
unset XDG_CURRENT_DESKTOP
convert=/usr/bin/convert
pid=""
helper_pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$helper_pid" ] && kill "$helper_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# settings "Key=value" ...: the calendar's settings file with these keys (no splash).
settings() {
    mkdir -p "$XDG_CONFIG_HOME/Almanor"
    {
        echo "[Settings]"
        echo "Show%20Splash=0"
        for pair in "$@"; do echo "${pair// /%20}"; done
    } >"$XDG_CONFIG_HOME/Almanor/Almanor.ini"
}

start_calendar() {
    "$prog/Almanor" >/dev/null 2>&1 &
    pid=$!
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Almanor$' | head -1)
    if [ -z "$wid" ]; then
        fail "the calendar window did not appear"
        exit 1
    fi
    sleep 0.5
}

stop_calendar() {
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=""
}

# x y width height of the calendar window on the screen.
geometry() {
    xwininfo -id "$wid" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# A string value of HKCU "Control Panel\Desktop" in the file-backed registry.
desktop_value() {
    local hex
    hex=$(grep -i "^$1=" "$XDG_CONFIG_HOME/Almanor/registry/HKCU.ini" | sed 's/^[^=]*=[0-9]*://; s/00$//')
    printf '%b' "$(echo "$hex" | sed 's/../\\x&/g')"
}

# "r g b" of a pixel of a picture file.
pixel() {
    "$convert" "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

# True when two "r g b" colours differ by at most 16 in each channel (JPEG and scaling).
near() {
    local r1 g1 b1 r2 g2 b2 d
    read -r r1 g1 b1 <<<"$1"
    read -r r2 g2 b2 <<<"$2"
    for d in $((r1 - r2)) $((g1 - g2)) $((b1 - b2)); do
        [ "${d#-}" -le 16 ] || return 1
    done
}

# expect_pixel SHOT X Y PICTURE PX PY: the screen pixel shows the picture's pixel.
expect_pixel() {
    local seen wanted
    seen=$(pixel "$1" "$2" "$3")
    wanted=$(pixel "$4" "$5" "$6")
    near "$seen" "$wanted" || fail "$7: pixel $2,$3 is ($seen), expected ($wanted)"
}

stacking_index() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, /\n/g' | grep -n -i "^$(printf '0x%x' "$1")$" | cut -d: -f1
}

shot() {
    [ -n "${ALMANOR_SCREENSHOT_DIR:-}" ] && import -window root "$ALMANOR_SCREENSHOT_DIR/$1"
}

# --- The window layer ---------------------------------------------------------------------
settings "Use Themes=0"
start_calendar
supported=$(xprop -root _NET_SUPPORTED)
states=$(xprop -id "$wid" _NET_WM_STATE)
for state in BELOW SKIP_TASKBAR SKIP_PAGER STICKY; do
    # Openbox shows "sticky" through the desktop number alone and drops the state it doesn't
    # know; every state the window manager supports must be in force.
    if grep -q "_NET_WM_STATE_$state\b" <<<"$supported"; then
        grep -q "_NET_WM_STATE_$state\b" <<<"$states" || fail "_NET_WM_STATE_$state missing: $states"
    fi
done
xprop -id "$wid" _NET_WM_DESKTOP | grep -q '= 4294967295$' || fail "not on every desktop"

xmessage -title helper "An ordinary window" >/dev/null 2>&1 &
helper_pid=$!
helper=$(timeout 20 xdotool search --sync --onlyvisible --name '^helper$' | head -1)
xdotool windowactivate --sync "$helper"
[ "$(stacking_index "$wid")" -lt "$(stacking_index "$helper")" ] ||
    fail "the calendar is not below an activated window"

# A click makes the calendar the active window; it still stays below.
read -r x y w h <<<"$(geometry)"
xdotool mousemove --window "$wid" $((w / 2)) 8 click 1
active=""
for _ in $(seq 30); do
    active=$(xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //')
    [ "$((active))" -eq "$wid" ] && break
    sleep 0.1
done
[ "$((active))" -eq "$wid" ] || fail "a click did not activate the calendar (active $active)"
[ "$(stacking_index "$wid")" -lt "$(stacking_index "$helper")" ] ||
    fail "the active calendar rose above an ordinary window"

# The calendar knows when it is active: its title strip is written in white then, and in the
# inactive colour once another window is active.
title_is_white() {
    local x y w h
    read -r x y w h <<<"$(geometry)"
    import -window root -crop "$((w / 2))x14+$((x + w / 4))+$((y + 2))" "$work/title.png"
    "$convert" "$work/title.png" -format %c histogram:info:- | grep -q -i '#FFFFFF'
}
wait_title() {
    for _ in $(seq 20); do
        if title_is_white; then [ "$1" = white ] && return 0; else [ "$1" = other ] && return 0; fi
        sleep 0.1
    done
    return 1
}
wait_title white || fail "the active calendar's title strip is not in the active colour"
xdotool windowactivate --sync "$helper"
wait_title other || fail "the inactive calendar's title strip is still in the active colour"

# A panel's strut shrinks the work area; the calendar (bottom right) moves up with it.
read -r x y w h <<<"$(geometry)"
gap=$((1024 - y - h))
xprop -id "$helper" -f _NET_WM_STRUT_PARTIAL 32c -set _NET_WM_STRUT_PARTIAL \
    "0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 0, 1279"
moved=""
for _ in $(seq 50); do
    read -r x y w h <<<"$(geometry)"
    [ $((924 - y - h)) -eq "$gap" ] && moved=1 && break
    sleep 0.1
done
[ -n "$moved" ] || fail "the calendar did not follow the work area ($x $y $w $h, gap $gap)"
shot desktop-layer.png
kill "$helper_pid" 2>/dev/null
wait "$helper_pid" 2>/dev/null
helper_pid=""
stop_calendar

# --- The sample pack ------------------------------------------------------------------------
month=$(date +%-m)
item=$(grep "^$month=" "$prog/Default/settings.ini" | tr -d '\r')
IFS=- read -r pack_style pack_pos pack_mode <<<"${item#*=}"
picture="$prog/Default/$month.jpg"
other_style=$(((pack_style + 1) % 3))
other_pos=$([ "$pack_pos" -eq 0 ] && echo 6 || echo 0)

# The calendar as the pack's style and position make it, without packs.
settings "Use Themes=0" "Style=$pack_style" "Alignment=$pack_pos"
start_calendar
expected_geometry=$(geometry)
stop_calendar

settings "Use Themes=1" "Use Theme Style=1" "Use Theme Pos=1" "Style=$other_style" \
    "Alignment=$other_pos"
start_calendar
[ "$(geometry)" = "$expected_geometry" ] ||
    fail "pack style and position not used: $(geometry), expected $expected_geometry"
[ -f "$prog/Default/$month.bmp" ] || fail "$month.bmp was not written into the pack"
[ "$(ls "$prog/Default" | grep -c '\.bmp$')" -eq 1 ] || fail "more than one bitmap in the pack"
[ "$(desktop_value Wallpaper)" = "$prog/Default/$month.bmp" ] ||
    fail "Wallpaper value: $(desktop_value Wallpaper)"
case "$pack_mode" in
0) values="0 0" ;;
1) values="1 0" ;;
*) values="0 2" ;;
esac
[ "$(desktop_value TileWallpaper) $(desktop_value WallpaperStyle)" = "$values" ] ||
    fail "registry values for mode $pack_mode: $(desktop_value TileWallpaper) $(desktop_value WallpaperStyle)"
shot desktop-pack.png
stop_calendar

# Each display mode on the root window. The root pixmap outlives the calendar, so the desktop is
# looked at with the calendar gone. The picture is 640 x 480 on a 1280 x 1024 screen.
for mode in 0 1 2; do
    settings "Use Themes=1" "Use Other Display Mode=True" "Other Display Mode=$mode"
    start_calendar
    stop_calendar
    root="$work/root-$mode.png"
    import -window root "$root"
    case $mode in
    0)
        expect_pixel "$root" 100 100 "$root" 0 0 "centre, background"
        [ "$(pixel "$root" 100 100)" = "0 0 0" ] || fail "centre: the desktop around is not black"
        expect_pixel "$root" 480 392 "$picture" 160 120 "centre, top left quarter"
        expect_pixel "$root" 800 632 "$picture" 480 360 "centre, bottom right quarter"
        [ "$(desktop_value TileWallpaper) $(desktop_value WallpaperStyle)" = "0 0" ] ||
            fail "centre: registry values"
        ;;
    1)
        expect_pixel "$root" 160 120 "$picture" 160 120 "tile, first picture"
        expect_pixel "$root" 800 120 "$picture" 160 120 "tile, second column"
        expect_pixel "$root" 480 600 "$picture" 480 120 "tile, second row"
        expect_pixel "$root" 1120 1000 "$picture" 480 40 "tile, third row"
        [ "$(desktop_value TileWallpaper) $(desktop_value WallpaperStyle)" = "1 0" ] ||
            fail "tile: registry values"
        ;;
    2)
        expect_pixel "$root" 320 256 "$picture" 160 120 "stretch, top left quarter"
        expect_pixel "$root" 960 256 "$picture" 480 120 "stretch, top right quarter"
        expect_pixel "$root" 960 768 "$picture" 480 360 "stretch, bottom right quarter"
        expect_pixel "$root" 1275 1019 "$picture" 637 477 "stretch, bottom right corner"
        [ "$(desktop_value TileWallpaper) $(desktop_value WallpaperStyle)" = "0 2" ] ||
            fail "stretch: registry values"
        ;;
    esac
done
# The same month again converts nothing.
before=$(stat -c %Y.%s "$prog/Default/$month.bmp")
sleep 1
settings "Use Themes=1"
start_calendar
stop_calendar
[ "$(stat -c %Y.%s "$prog/Default/$month.bmp")" = "$before" ] || fail "the bitmap was converted again"
# A start that finds the month's picture on the desktop in its mode leaves the desktop alone;
# once another program has put its own background there, the next start sets the picture again.
pixmap=$(xprop -root _XROOTPMAP_ID)
start_calendar
stop_calendar
[ "$(xprop -root _XROOTPMAP_ID)" = "$pixmap" ] || fail "the wallpaper in place was set again"
xprop -root -remove _XROOTPMAP_ID
start_calendar
stop_calendar
after=$(xprop -root _XROOTPMAP_ID)
grep -q "not found" <<<"$after" && fail "the wallpaper was not set again over another background: $after"

[ $status -eq 0 ] && echo "PASS: desktop"
exit $status
