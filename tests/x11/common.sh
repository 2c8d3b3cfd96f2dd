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

# Starts a program in the background, its output in programs.log; its pid in $last_pid.
start() {
    "$@" >>"$work/programs.log" 2>&1 &
    last_pid=$!
    started+=("$last_pid")
}

# A process that has ended is gone even while it waits to be reaped.
alive() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
    [[ $state != Z* ]]
}

# Waits up to $2 seconds for process $1 to end; its exit status lands in $exit_status. A process
# that doesn't end is killed, so that it can't disturb the runs after it.
wait_end() {
    local pid=$1 limit=$2 i
    for ((i = 0; i < limit * 20; i++)); do
        if ! alive "$pid"; then
            wait "$pid"
            exit_status=$?
            return 0
        fi
        sleep 0.05
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 1
}

# A private program folder ($work/Almanor, a copy of the built one without events) and settings:
# weeks from Sunday, the window in the centre, no splash, no pack, plus the "Key=value" lines
# given. Points XDG_CONFIG_HOME and HOME into $work.
program_world() {
    mkdir -p "$work/Almanor" "$work/config/Almanor"
    cp -r "$ALMANOR_PROGRAM_DIR/." "$work/Almanor/"
    rm -f "$work/Almanor/calendar.dat" "$work/Almanor/data.bak"
    {
        printf '[Settings]\nShow%%20Splash=0\nStart%%20Day=1\nAlignment=3\nStyle=1\nUse%%20Themes=0\n'
        printf '%s\n' "$@"
    } >"$work/config/Almanor/Almanor.ini"
    export XDG_CONFIG_HOME="$work/config" HOME="$work" LC_ALL=C.UTF-8
}

# The number of colours in the caption area of the box of day $1 of $month/$year in the calendar
# window $calendar (style 1 at 15 twips to a pixel: boxes 825 x 915 twips, 75 between them, the
# grid from 90, 810), below the day number: 1 for an empty caption.
caption_colours() {
    local day=$1 first index row column x y
    first=$(date -d "$year-$month-01" +%w)
    index=$((first + day - 1))
    row=$((index / 7))
    column=$((index % 7))
    x=$(((90 + column * 900) / 15 + 4))
    y=$(((810 + row * 990) / 15 + 22))
    import -window "$calendar" "$work/calendar.png"
    convert "$work/calendar.png" -crop "47x36+$x+$y" +repage -format %k info:
}

# box_point DAY: the screen point "x y" of the day's box in the calendar window $calendar.
box_point() {
    eval "$(xdotool getwindowgeometry --shell "$calendar")"
    local index=$(($(date -d "$year-$month-01" +%w) + $1 - 1))
    echo $((X + (90 + index % 7 * 900 + 412) / 15)) $((Y + (810 + index / 7 * 990 + 300) / 15))
}

# type_on_day DAY TEXT: opens the editor of the calendar $calendar_pid with a double click on the
# day's box and types TEXT, without saving.
type_on_day() {
    # shellcheck disable=SC2046
    xdotool mousemove $(box_point "$1") click --repeat 2 --delay 60 1
    local editor
    editor=$(timeout 10 xdotool search --all --sync --onlyvisible --pid "$calendar_pid" --name '^Almanor - 0 Characters' | head -1)
    [ -n "$editor" ] || { fail "the editor did not open on day $1"; return 1; }
    xdotool windowactivate --sync "$editor" 2>/dev/null || true
    sleep 0.3
    xdotool type --delay 30 "$2"
    timeout 5 xdotool search --all --sync --onlyvisible --pid "$calendar_pid" --name "^Almanor - ${#2} Characters" >/dev/null ||
        fail "the editor did not take the text \"$2\""
}
