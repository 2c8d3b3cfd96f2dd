#!/bin/bash
# The installation, for real: `cmake --install` of this build into a per-user prefix (inside
# HOME) and a system-wide one (outside it), each with its own HOME and XDG folders. Checks the
# installed folder, the launcher, the recorded InstallPath (the installed Remover must find its
# folder without asking), a reinstall that keeps the events, staging with DESTDIR, and the
# uninstall script.
set -u

: "${ALMANOR_PROGRAM_DIR:?}" "${ALMANOR_SOURCE_DIR:?}"
build_dir=${ALMANOR_BUILD_DIR:-$(dirname "$ALMANOR_PROGRAM_DIR")}

# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

new_world() {
    export HOME=$work/$1/home XDG_CONFIG_HOME=$work/$1/config XDG_CONFIG_DIRS=$work/$1/xdg
    export XDG_DATA_HOME=$work/$1/data
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CONFIG_DIRS"
}

install_to() {
    cmake --install "$build_dir" --prefix "$1" >"$work/install.log" 2>&1 ||
        { fail "install to $1 failed"; cat "$work/install.log" >&2; }
}

# The first visible window of process $1 (any name), within 15 seconds; its name in $win_name.
first_window() {
    local i w
    for ((i = 0; i < 150; i++)); do
        for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
            win_name=$(xdotool getwindowname "$w")
            echo "$w"
            return 0
        done
        sleep 0.1
    done
    return 1
}

# Clicks the middle of a control given in twips (left top width height), 15 to a pixel.
click_twips() {
    xdotool mousemove --window "$1" $(($2 / 15 + $4 / 30)) $(($3 / 15 + $5 / 30)) click 1
    sleep 0.4
}

# The installed Remover must open its wizard at once, with no question about the folder.
remover_finds_folder() {
    start "$1/Remover"
    remover_pid=$last_pid
    wizard=$(first_window "$remover_pid") || { fail "the installed Remover showed nothing"; return 1; }
    sleep 0.3
    win_name=$(xdotool getwindowname "$wizard")
    [ "$win_name" = "Almanor Remover" ] ||
        { fail "the installed Remover asked first: window '$win_name'"; return 1; }
}

launcher_exec() { sed -n 's/^Exec="\(.*\)"$/\1/p' "$1" | head -1; }

# ---------------------------------------------------------------------------------------------
note "per-user installation"
new_world user
prefix=$HOME/apps
folder=$prefix/lib/almanor
install_to "$prefix"
for program in Almanor Remover PositionReset; do
    [ -x "$folder/$program" ] || fail "$program is not installed as a program"
done
for pack in "$ALMANOR_PROGRAM_DIR"/*/settings.ini; do
    [ -e "$pack" ] || continue
    name=$(basename "$(dirname "$pack")")
    [ -f "$folder/$name/settings.ini" ] || fail "pack $name is not installed"
done
launcher=$XDG_DATA_HOME/applications/almanor.desktop
[ -f "$launcher" ] || fail "no launcher in the user's applications folder"
[ "$(launcher_exec "$launcher")" = "$folder/Almanor" ] || fail "launcher runs $(launcher_exec "$launcher")"
icon=$(sed -n 's/^Icon=//p' "$launcher")
[ -f "$icon" ] || fail "launcher icon $icon is missing"
grep -q '^Exec="'"$folder"'/Remover"$' "$launcher" || fail "launcher has no Remover action"
[ -e "$XDG_CONFIG_DIRS/Almanor/registry/HKLM.ini" ] && fail "a per-user install wrote HKLM"

note "the launcher starts the installed calendar"
start "$(launcher_exec "$launcher")"
calendar_pid=$last_pid
first_window "$calendar_pid" >/dev/null || fail "the launcher's calendar showed no window"
kill "$calendar_pid"
wait_end "$calendar_pid" 5

note "a reinstall keeps the events"
echo "1/1/2004=New year" >"$folder/calendar.dat"
install_to "$prefix"
[ "$(cat "$folder/calendar.dat")" = "1/1/2004=New year" ] || fail "a reinstall changed calendar.dat"

note "the installed Remover finds its folder and removes everything"
if remover_finds_folder "$folder"; then
    click_twips "$wizard" 4725 4860 1125 375 # Next >
    click_twips "$wizard" 4725 4860 1125 375 # Finish
    wait_end "$remover_pid" 10 || fail "the Remover did not end after Finish"
    [ -e "$folder/calendar.dat" ] && fail "Everything kept calendar.dat"
    [ -e "$folder/Remover" ] && fail "Everything kept the Remover"
    [ -x "$folder/Almanor" ] || fail "Everything removed the calendar program"
fi

# ---------------------------------------------------------------------------------------------
note "system-wide installation"
new_world system
prefix=$work/system/usr
folder=$prefix/lib/almanor
install_to "$prefix"
[ -f "$XDG_CONFIG_DIRS/Almanor/registry/HKLM.ini" ] || fail "a system-wide install wrote no HKLM"
[ -e "$XDG_CONFIG_HOME/Almanor/registry/HKCU.ini" ] && fail "a system-wide install wrote HKCU"
launcher=$prefix/share/applications/almanor.desktop
[ "$(launcher_exec "$launcher")" = "$folder/Almanor" ] || fail "no system launcher for $folder"
if remover_finds_folder "$folder"; then
    click_twips "$wizard" 6240 4860 1125 375 # Cancel, then Yes
    sleep 0.5
    xdotool key --clearmodifiers alt+y
    wait_end "$remover_pid" 10 || fail "the Remover did not end after Cancel and Yes"
fi

note "uninstall removes the installed files and forgets the folder"
echo "1/1/2004=New year" >"$folder/calendar.dat"
cmake -DBUILD_DIR="$build_dir" -P "$ALMANOR_SOURCE_DIR/cmake/Uninstall.cmake" >"$work/uninstall.log" 2>&1 ||
    { fail "uninstall failed"; cat "$work/uninstall.log" >&2; }
for gone in Almanor Remover PositionReset; do
    [ -e "$folder/$gone" ] && fail "uninstall left $gone"
done
[ -e "$launcher" ] && fail "uninstall left the launcher"
[ -f "$folder/calendar.dat" ] || fail "uninstall removed the user's events"
grep -q '^InstallPath=' "$XDG_CONFIG_DIRS/Almanor/registry/HKLM.ini" && fail "InstallPath is still recorded"

# ---------------------------------------------------------------------------------------------
note "staging with DESTDIR records nothing"
new_world staged
DESTDIR=$work/stage cmake --install "$build_dir" --prefix /usr >"$work/install.log" 2>&1 ||
    fail "staged install failed"
[ -x "$work/stage/usr/lib/almanor/Almanor" ] || fail "staged program missing"
[ -f "$work/stage/usr/share/applications/almanor.desktop" ] || fail "staged launcher missing"
[ "$(launcher_exec "$work/stage/usr/share/applications/almanor.desktop")" = /usr/lib/almanor/Almanor ] ||
    fail "staged launcher does not point at the final place"
[ -e "$XDG_CONFIG_DIRS/Almanor" ] || [ -e "$XDG_CONFIG_HOME/Almanor" ] && fail "staging wrote the registry"

if ((failures > 0)); then
    echo "$failures failure(s); program output:" >&2
    cat "$work/programs.log" >&2
    exit 1
fi
echo "install: all passed"
