#!/bin/bash
# The calendar beside its peers, in one interleaved run: start to mapped and painted window,
# resident memory (VmRSS) and proportional memory (Pss) 2 s after the window was painted, and
# idle processor time and wake-ups over an idle window. Prints each program's medians and the
# ratios the performance targets are stated in.
#
# Usage: bench/compare.sh BUILD_DIR [ROUNDS] [IDLE_ROUNDS] [IDLE_SECONDS]
#   BUILD_DIR: a Release build folder with Almanor/Almanor, bench/paint_watch and
#   bench/startup_baseline. ROUNDS (default 15): start-up and memory rounds; each round starts
#   every program once, in an order that turns from round to round. IDLE_ROUNDS (default 3) and
#   IDLE_SECONDS (default 60): idle windows, in which all programs sit side by side (they are
#   idle, so they don't disturb one another) and each one's processor time and wake-ups are read
#   from /proc at the start and the end.
# The peers come from Debian: apt-get install orage gsimplecal (bench/deps.txt).
# Without a display it runs itself on a private X server (Xvfb 1280x1024 with openbox).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: compare.sh BUILD_DIR [ROUNDS] [IDLE_ROUNDS] [IDLE_SECONDS]}" && pwd)
rounds=${2:-15}
idle_rounds=${3:-3}
idle_seconds=${4:-60}

if [ -z "${DISPLAY:-}" ]; then
    exec "$root/tests/x11/with_xserver.sh" "$0" "$build" "$rounds" "$idle_rounds" "$idle_seconds"
fi

watch="$build/bench/paint_watch"
for tool in "$watch" "$build/bench/startup_baseline" "$build/Almanor/Almanor"; do
    [ -x "$tool" ] || { echo "missing $tool (build Almanor, paint_watch, startup_baseline)" >&2; exit 2; }
done
for peer in orage gsimplecal; do
    command -v "$peer" >/dev/null || { echo "missing $peer: apt-get install orage gsimplecal" >&2; exit 2; }
done
work=$(mktemp -d)
running=()
cleanup() {
    for pid in "${running[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# One event a day for the days up to yesterday (so no "Today: " alert holds the start).
write_events() { python3 "$root/bench/write_events.py" "$1" >"$2"; } # COUNT FILE

# Each program gets a home of its own: its settings, runtime folder and, for the calendar, its
# program folder. Separate runtime folders let the calendars run side by side.
names=(almanor_empty almanor_10k almanor_100k almanor_10k_packs almanor_10k_minutes almanor_10k_seconds
    almanor_10k_remind almanor_10k_remote3 qt_window orage gsimplecal)
declare -A title command
setup_home() { # NAME
    local home="$work/$1"
    mkdir -p "$home/home" "$home/config" "$home/data" "$home/runtime"
    chmod 700 "$home/runtime"
}
for name in "${names[@]}"; do
    setup_home "$name"
    case $name in
    almanor_*)
        cp -r "$build/Almanor" "$work/$name/Almanor"
        mkdir -p "$work/$name/config/Almanor"
        settings="[Settings]\nShow%20Splash=0\n"
        case $name in
        *_packs) settings+="Use%20Themes=1\nPack%20Name=Default\n" ;;
        *_minutes) settings+="Bar%20Time=1\nBar%20Time%20Format=hh:mm\n" ;;
        *_seconds) settings+="Bar%20Time=1\nBar%20Time%20Format=hh:mm:ss\n" ;;
        *_remind) settings+="Remind%20Days=7\nRemind%20Time=23:59\n" ;;
        *_remote3)
            # Three subscriptions of 3,334 events each, fetched into the cache before the runs.
            for n in 1 2 3; do
                python3 "$root/bench/write_ics.py" 3334 "$n" >"$work/$name/remote$n.ics"
                settings+="[Calendar%20$n]\nName=Remote $n\nURL=file://$work/$name/remote$n.ics\n"
                settings+="Enabled=1\nRefresh%20Minutes=1440\n"
            done
            ;;
        esac
        printf "%b" "$settings" >"$work/$name/config/Almanor/Almanor.ini"
        if [[ $name == *_remote3 ]]; then
            HOME="$work/$name/home" XDG_CONFIG_HOME="$work/$name/config" \
                "$work/$name/Almanor/AlmanorFetch" --all >/dev/null 2>&1 ||
                { echo "AlmanorFetch could not fill the cache of $name" >&2; exit 2; }
        fi
        case $name in
        almanor_10k*) write_events 10000 "$work/$name/Almanor/calendar.dat" ;;
        almanor_100k) write_events 100000 "$work/$name/Almanor/calendar.dat" ;;
        esac
        title[$name]=Almanor
        command[$name]="$work/$name/Almanor/Almanor"
        ;;
    qt_window)
        title[$name]=Almanor
        command[$name]="$build/bench/startup_baseline"
        ;;
    orage)
        title[$name]=Orage
        command[$name]=orage
        ;;
    gsimplecal)
        title[$name]=gsimplecal
        command[$name]=gsimplecal
        ;;
    esac
done

# Starts NAME; sets launched_pid and launched_paint (ms to the painted window).
launch() {
    local home="$work/$1" line
    line=$(HOME="$home/home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        XDG_RUNTIME_DIR="$home/runtime" "$watch" "${title[$1]}" ${command[$1]}) || return 1
    read -r launched_pid _ launched_paint <<<"$line"
    running+=("$launched_pid")
}
stop() { # PID
    kill "$1" 2>/dev/null || true
    while kill -0 "$1" 2>/dev/null; do sleep 0.05; done
}
# kB of a field of /proc/PID/status or smaps_rollup.
status_kb() { awk -v f="$2:" '$1 == f { print $2 }' "/proc/$1/status"; }
pss_kb() { awk '$1 == "Pss:" { print $2 }' "/proc/$1/smaps_rollup"; }
# Processor nanoseconds and wake-ups (voluntary context switches: each is a sleep ended by an
# event) of each thread of PID, as "tid:ns:wakes" words.
task_counts() {
    local task ns v out=""
    for task in /proc/"$1"/task/*; do
        read -r ns _ <"$task/schedstat" 2>/dev/null || continue
        v=$(awk '$1 == "voluntary_ctxt_switches:" { print $2 }' "$task/status" 2>/dev/null)
        out+="${task##*/}:$ns:${v:-0} "
    done
    echo "$out"
}
# "ns wakes" spent between two task_counts: a thread that was there both times counts its
# difference, one started in between counts whole; one that ended in between (a thread pool's
# worker retiring) can't be read any more and counts nothing, rather than its whole past.
counts_delta() { # BEFORE AFTER
    awk -v a="$1" -v b="$2" 'BEGIN {
        n = split(a, before, " "); for (i = 1; i <= n; i++) { split(before[i], f, ":"); ns[f[1]] = f[2]; w[f[1]] = f[3] }
        n = split(b, after, " "); for (i = 1; i <= n; i++) { split(after[i], f, ":"); dn += f[2] - ns[f[1]]; dw += f[3] - w[f[1]] }
        printf "%d %d\n", dn, dw }'
}

declare -A paint rss pss cpu wakes
echo "warm-up: every program once (fills the page cache; with packs the month's picture is"
echo "converted and set, so the measured starts find it on the desktop)"
for name in "${names[@]}"; do
    launch "$name" || { echo "warm-up of $name failed" >&2; exit 1; }
    sleep 1
    stop "$launched_pid"
done

count=${#names[@]}
for round in $(seq "$rounds"); do
    line="round $round:"
    for k in $(seq 0 $((count - 1))); do
        name=${names[$(((k + round) % count))]}
        launch "$name" || { echo "start of $name failed" >&2; exit 1; }
        sleep 2
        paint[$name]+="$launched_paint "
        rss[$name]+="$(status_kb "$launched_pid" VmRSS) "
        pss[$name]+="$(pss_kb "$launched_pid") "
        stop "$launched_pid"
        line+=" $name ${launched_paint}ms"
    done
    echo "$line"
done

for round in $(seq "$idle_rounds"); do
    declare -A pids=() before=()
    for name in "${names[@]}"; do
        # Only one calendar may set the wallpaper; the others differ in their files only.
        launch "$name" || { echo "start of $name failed" >&2; exit 1; }
        pids[$name]=$launched_pid
    done
    # Let start-up work (a splash, a first layout, caches) end before the window opens.
    sleep 5
    for name in "${names[@]}"; do before[$name]=$(task_counts "${pids[$name]}"); done
    sleep "$idle_seconds"
    # Every program is read before any is stopped: a window that closes uncovers the others and
    # wakes them to redraw, which would be counted against the programs read after it.
    declare -A after=()
    for name in "${names[@]}"; do after[$name]=$(task_counts "${pids[$name]}"); done
    line="idle round $round:"
    for name in "${names[@]}"; do
        read -r dns dw < <(counts_delta "${before[$name]}" "${after[$name]}")
        cpu[$name]+="$((dns / 1000)) "
        wakes[$name]+="$dw "
        line+=" $name $((dns / 1000))us/$dw"
    done
    for name in "${names[@]}"; do stop "${pids[$name]}"; done
    echo "$line"
done

median() { printf '%s\n' $1 | sort -n | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "nan"; exit }
    print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
declare -A m_paint m_rss m_pss m_cpu m_wakes
echo
printf '%-18s %12s %10s %10s %14s %12s\n' program "paint ms" "RSS MiB" "PSS MiB" "idle CPU %" "wake-ups/s"
for name in "${names[@]}"; do
    m_paint[$name]=$(median "${paint[$name]}")
    m_rss[$name]=$(median "${rss[$name]}")
    m_pss[$name]=$(median "${pss[$name]}")
    m_cpu[$name]=$(median "${cpu[$name]:-}")
    m_wakes[$name]=$(median "${wakes[$name]:-}")
    awk -v n="$name" -v p="${m_paint[$name]}" -v r="${m_rss[$name]}" -v s="${m_pss[$name]}" \
        -v c="${m_cpu[$name]}" -v w="${m_wakes[$name]}" -v t="$idle_seconds" 'BEGIN {
        printf "%-18s %12.1f %10.1f %10.1f %14.4f %12.3f\n", n, p, r / 1024, s / 1024,
            c / 1e6 / t * 100, w / t }'
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "inf"; else printf "%.2f", a / b }'; }
echo
echo "start, 10,000 records / trivial Qt window: $(ratio "${m_paint[almanor_10k]}" "${m_paint[qt_window]}") (target <= 1.3)"
echo "start, 100,000 records / orage: $(ratio "${m_paint[almanor_100k]}" "${m_paint[orage]}") (target <= 0.7)"
echo "start, packs on - packs off (10,000 records): $(awk -v a="${m_paint[almanor_10k_packs]}" -v b="${m_paint[almanor_10k]}" 'BEGIN { printf "%.1f ms", a - b }') (target <= 3 ms)"
echo "VmRSS, 10,000 records / orage: $(ratio "${m_rss[almanor_10k]}" "${m_rss[orage]}") (target <= 1)"
echo "VmRSS, 100,000 records - no file: $(awk -v a="${m_rss[almanor_100k]}" -v b="${m_rss[almanor_empty]}" 'BEGIN { printf "%.2f MiB", (a - b) / 1024 }') (target <= 2 MiB)"
echo "idle CPU, calendar (10,000 records) / orage: $(ratio "${m_cpu[almanor_10k]}" "${m_cpu[orage]}") (target <= 1)"
echo "idle wake-ups a second, calendar (10,000 records): $(awk -v w="${m_wakes[almanor_10k]}" -v t="$idle_seconds" 'BEGIN { printf "%.3f", w / t }') (target 0, at most 1/60 with a clock in minutes)"
echo "idle wake-ups a minute, title clock in minutes: $(awk -v w="${m_wakes[almanor_10k_minutes]}" -v t="$idle_seconds" 'BEGIN { printf "%.2f", w / t * 60 }') (target at most 1)"
echo "idle wake-ups a second, title clock in seconds: $(awk -v w="${m_wakes[almanor_10k_seconds]}" -v t="$idle_seconds" 'BEGIN { printf "%.2f", w / t }') (target 1)"
echo "start, reminders 7 days ahead - off (10,000 records): $(awk -v a="${m_paint[almanor_10k_remind]}" -v b="${m_paint[almanor_10k]}" 'BEGIN { printf "%.1f", a - b }') ms"
echo "start, three cached remote calendars (10,000 events) - none (10,000 records): $(awk -v a="${m_paint[almanor_10k_remote3]}" -v b="${m_paint[almanor_10k]}" 'BEGIN { printf "%.1f", a - b }') ms"
echo "idle wake-ups a second, reminders on: $(awk -v w="${m_wakes[almanor_10k_remind]}" -v t="$idle_seconds" 'BEGIN { printf "%.3f", w / t }'); three remote calendars: $(awk -v w="${m_wakes[almanor_10k_remote3]}" -v t="$idle_seconds" 'BEGIN { printf "%.3f", w / t }') (target 0)"
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg); rounds $rounds, idle rounds $idle_rounds of $idle_seconds s"
