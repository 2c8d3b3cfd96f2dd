#!/bin/bash
# PositionReset and the Remover, run for real on an X server beside a real calendar: every run
# works on a copy of the program folder with its own HOME and XDG folders. The Remover's wizard
# is driven with mouse clicks at its controls' places and the message boxes with the keyboard.
set -u

: "${ALMANOR_PROGRAM_DIR:?}"
build_dir=${ALMANOR_BUILD_DIR:-$(dirname "$ALMANOR_PROGRAM_DIR")}
register=$build_dir/tools/almanor-register
[ -x "$register" ] || { echo "FAIL: $register is not built" >&2; exit 1; }

# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

# A fresh world: empty settings and registry, and a copy of the program folder in $prog.
new_world() {
    local name=$1
    export HOME=$work/$name/home XDG_CONFIG_HOME=$work/$name/config XDG_CONFIG_DIRS=$work/$name/xdg
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CONFIG_DIRS"
    prog=$work/$name/Almanor
    cp -a "$ALMANOR_PROGRAM_DIR" "$prog"
    rm -f "$prog/calendar.dat"
}

# The visible window of process $1 whose name matches the pattern $2, within $3 seconds.
window_of() {
    local pid=$1 pattern=$2 limit=${3:-15} i w
    for ((i = 0; i < limit * 10; i++)); do
        for w in $(xdotool search --all --onlyvisible --pid "$pid" --name "$pattern" 2>/dev/null); do
            echo "$w"
            return 0
        done
        sleep 0.1
    done
    return 1
}

# Window geometry as "x y width height" (nothing when the window is gone).
geometry() {
    xdotool getwindowgeometry --shell "$1" 2>/dev/null |
        awk -F= '{v[$1] = $2} END {if ("X" in v) print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]}'
}

press() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1
    sleep 0.2
    xdotool key --clearmodifiers "$2"
}

# Clicks the middle of a control given in twips (left top width height) of window $1; the
# Remover lays its controls out in twips, 15 to a pixel on the test server.
click_twips() {
    local w=$1 x=$(($2 / 15 + $4 / 30)) y=$(($3 / 15 + $5 / 30))
    xdotool mousemove --window "$w" "$x" "$y" click 1
    sleep 0.4
}

# The Remover's controls: buttons and the page 1 choices (page frames start 1140 twips down).
next_or_finish() { click_twips "$1" 4725 4860 1125 375; }
custom_opt() { click_twips "$1" 720 $((1140 + 1020)) 600 300; }
packs_chk() { click_twips "$1" 3960 $((1140 + 1380)) 600 300; }

settings_file() { echo "$XDG_CONFIG_HOME/Almanor/Almanor.ini"; }

write_settings() {
    mkdir -p "$XDG_CONFIG_HOME/Almanor"
    printf '[Settings]\n%s\n' "$@" >"$(settings_file)"
}

# The value of a key of section "Settings", with the key written as QSettings writes it.
setting() {
    local key=${1// /%20}
    awk -F= -v key="$key" '/^\[/{in_settings = ($0 == "[Settings]")}
        in_settings && $1 == key {print substr($0, length(key) + 2)}' "$(settings_file)" 2>/dev/null
}

placement_is_reset() {
    local key
    for key in Manual_PosX Manual_PosY Alignment "Use Theme Pos"; do
        [ "$(setting "$key")" = 0 ] || return 1
    done
}

# Starts the calendar; $calendar_win is its window once it carries its caption.
start_calendar() {
    start "$prog/Almanor"
    calendar_pid=$last_pid
    calendar_win=$(window_of "$calendar_pid" '^Almanor$' 20)
}

# Waits for the calendar window's top left corner (with "top-left") or its bottom right corner
# (with "bottom-right") to reach x y, within two pixels. The window is looked up again each
# time: the calendar may map a new one while it settles on the desktop.
calendar_at() {
    local corner=$1 want_x=$2 want_y=$3 i x=none y=none wd=0 ht=0 w
    for ((i = 0; i < 50; i++)); do
        w=$(window_of "$calendar_pid" '^Almanor$' 1) && calendar_win=$w
        read -r x y wd ht < <(geometry "$calendar_win")
        if [ -n "$x" ]; then
            [ "$corner" = bottom-right ] && x=$((x + wd)) y=$((y + ht))
            ((x - want_x <= 2 && want_x - x <= 2 && y - want_y <= 2 && want_y - y <= 2)) &&
                return 0
        fi
        sleep 0.1
    done
    echo "calendar $corner at $x,$y (size ${wd}x$ht), expected $want_x,$want_y" >&2
    return 1
}

# Runs PositionReset to its message, checks that it waits there, and presses OK.
reset_and_confirm() {
    local box
    start "$prog/PositionReset"
    reset_pid=$last_pid
    if [ -n "${calendar_pid:-}" ]; then
        # Watch the order: the calendar must be gone before the first key (Manual_PosX) is
        # written, and it is written only after a pause, so the watch sees the calendar go first.
        local gone=0 i
        for ((i = 0; i < 400; i++)); do
            if [ "$(setting Manual_PosX)" = 0 ]; then
                if alive "$calendar_pid" || [ "$gone" = 0 ]; then
                    fail "a key was written while the calendar still ran"
                fi
                break
            fi
            alive "$calendar_pid" || gone=1
            sleep 0.05
        done
    fi
    box=$(window_of "$reset_pid" '^Almanor$' 20) || { fail "PositionReset showed no message"; return; }
    alive "$reset_pid" || fail "PositionReset ended before OK was pressed"
    placement_is_reset || fail "placement keys are not 0: $(cat "$(settings_file)")"
    press "$box" Return
    wait_end "$reset_pid" 10 || { fail "PositionReset did not end after OK"; return; }
    [ "$exit_status" = 0 ] || fail "PositionReset ended with $exit_status (its error path)"
}

record_install_path() {
    "$register" record "$1" --root HKCU >/dev/null || fail "could not record InstallPath"
}

make_pack() {
    mkdir -p "$1"
    echo "1=0-0-2" >"$1/settings.ini"
    echo "picture" >"$1/1.jpg"
}

# ---------------------------------------------------------------------------------------------
note "PositionReset with a calendar running"
new_world reset_running
write_settings "Alignment=7" "Manual_PosX=1500" "Manual_PosY=3000" "Use%20Theme%20Pos=1"
start_calendar || fail "the calendar did not start"
calendar_at top-left 100 200 || fail "the calendar ignored its manual position"
reset_and_confirm
wait_end "$calendar_pid" 5 || fail "the calendar still runs after the reset"

note "a calendar started after the reset sits bottom right"
start_calendar || fail "the calendar did not start again"
calendar_at bottom-right 1280 1024 || fail "the calendar is not at alignment 0"
kill "$calendar_pid"
wait_end "$calendar_pid" 5
calendar_pid=""

note "PositionReset with no calendar running"
new_world reset_alone
reset_and_confirm

# ---------------------------------------------------------------------------------------------
note "Remover, Everything, with packs that link outside the folder"
new_world remove_all
outside=$work/remove_all/outside
mkdir -p "$outside/folder"
echo "keep me" >"$outside/picture.jpg"
make_pack "$outside/folder"
echo "1/1/2004=New year" >"$prog/calendar.dat"
make_pack "$prog/Alpha"
make_pack "$prog/Beta"
make_pack "$prog/Linked"
ln -s "$outside/picture.jpg" "$prog/Linked/2.jpg"
ln -s "$outside/folder" "$prog/Away"
mkdir -p "$prog/Notes"
echo "not a pack" >"$prog/Notes/readme.txt"
record_install_path "$prog"
start_calendar || fail "the calendar did not start"
start "$prog/Remover"
remover_pid=$last_pid
wizard=$(window_of "$remover_pid" '^Almanor Remover$') || fail "the wizard did not appear"
wait_end "$calendar_pid" 5 || fail "the Remover did not close the calendar"
read -r _ _ wd ht < <(geometry "$wizard")
[ "$wd $ht" = "508 381" ] || fail "wizard is ${wd}x$ht, expected 508x381"
next_or_finish "$wizard" # Next >: the removal style, Everything selected
next_or_finish "$wizard" # Finish
wait_end "$remover_pid" 10 || fail "the Remover did not end after Finish"
for gone in calendar.dat Remover Alpha Beta Linked Away; do
    [ -e "$prog/$gone" ] || [ -L "$prog/$gone" ] && fail "Everything left $gone"
done
for kept in Almanor PositionReset Notes/readme.txt; do
    [ -e "$prog/$kept" ] || fail "Everything removed $kept"
done
[ "$(cat "$outside/picture.jpg" 2>/dev/null)" = "keep me" ] || fail "a linked file outside went"
[ -f "$outside/folder/settings.ini" ] && [ -f "$outside/folder/1.jpg" ] ||
    fail "the folder behind a linked pack lost files"

note "Remover, Custom... without Wallpaper Packs"
new_world remove_custom
echo "1/1/2004=New year" >"$prog/calendar.dat"
make_pack "$prog/Alpha"
make_pack "$prog/Beta"
record_install_path "$prog"
start "$prog/Remover"
remover_pid=$last_pid
wizard=$(window_of "$remover_pid" '^Almanor Remover$') || fail "the wizard did not appear"
next_or_finish "$wizard"
custom_opt "$wizard"
packs_chk "$wizard"      # unticked: page 1 now ends the wizard
next_or_finish "$wizard" # Finish
wait_end "$remover_pid" 10 || fail "Custom without packs did not offer Finish on page 1"
[ -e "$prog/calendar.dat" ] && fail "Custom with events ticked kept calendar.dat"
for kept in Alpha/settings.ini Alpha/1.jpg Beta/settings.ini Remover; do
    [ -e "$prog/$kept" ] || fail "Custom without packs removed $kept"
done

note "Remover with no InstallPath in a portable folder: it removes from its own folder"
new_world remove_portable
start "$prog/Remover"
remover_pid=$last_pid
window_of "$remover_pid" '^Almanor Remover$' >/dev/null || fail "the portable folder was not taken"
xdotool search --all --onlyvisible --pid "$remover_pid" --name '^Almanor$' >/dev/null &&
    fail "the Remover asked for the folder it stands in"
kill "$remover_pid"
wait_end "$remover_pid" 10

note "Remover with no InstallPath and the folder chooser cancelled"
new_world remove_unknown
# Without the calendar beside it the Remover can't know its folder is the calendar's.
rm -f "$prog/Almanor"
echo "1/1/2004=New year" >"$prog/calendar.dat"
make_pack "$prog/Alpha"
start "$prog/Remover"
remover_pid=$last_pid
box=$(window_of "$remover_pid" '^Almanor$') || fail "no message about the missing folder"
xdotool search --all --onlyvisible --pid "$remover_pid" --name '^Almanor Remover$' >/dev/null &&
    fail "the wizard was shown before its folder was known"
press "$box" Return
chooser=$(window_of "$remover_pid" '^Select Almanor folder') || fail "no folder chooser"
press "$chooser" Escape
box=$(window_of "$remover_pid" '^Almanor$') || fail "no warning after the chooser was cancelled"
press "$box" Return
# Ending here, with the wizard never shown, is the point: a wizard would keep it running.
wait_end "$remover_pid" 10 || fail "the Remover did not end after the warning"
[ -f "$prog/calendar.dat" ] && [ -f "$prog/Alpha/1.jpg" ] || fail "files went without a folder"

if ((failures > 0)); then
    echo "$failures failure(s); program output:" >&2
    cat "$work/programs.log" >&2
    exit 1
fi
echo "companions: all passed"
