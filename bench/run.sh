#!/usr/bin/env bash
# Measures Dovrel against the toolkit's floor, under Xvfb with openbox and a
# private PulseAudio server that plays into a null sink. Run by hand:
#
#   bench/run.sh [SECTION...]     sections: startup deal memory cues hung cpu pause headless suite
#                                 (all of them when none is named)
#
# RUNS (default 10) sets the runs per start-up figure, MATCHES (default 3) the
# whole matches played for the memory figure, ROUNDS (default 6) the rounds of
# a match played with the sound server stopped (STATES: "answering stopped
# answering stopped", the runs and the server's state in each); GAME (default build/dovrel) the
# game measured, so that another build of it can be compared with the same
# script. The figures go to stdout; copy them into BENCHMARKS.md with the date
# and the machine.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BIN=$ROOT/build
# The game measured; another build of it (another commit's) can stand in.
GAME=${GAME:-$BIN/dovrel}
RUNS=${RUNS:-10}
MATCHES=${MATCHES:-3}
SECTIONS=("$@")
[ ${#SECTIONS[@]} -eq 0 ] && SECTIONS=(startup deal memory cues hung cpu pause headless suite)

PACKAGES=(xvfb openbox xdotool x11-utils imagemagick pulseaudio pulseaudio-utils
          libx11-dev libxtst-dev valgrind)

source "$ROOT/tools/install_missing.sh"

wants() {
    local s
    for s in "${SECTIONS[@]}"; do [ "$s" = "$1" ] && return 0; done
    return 1
}

load() { cut -d' ' -f1-3 /proc/loadavg; }

# min / median / max of the numbers on stdin, one a line; $1 decimals (1)
stats() {
    sort -g | awk -v d="${1:-1}" '{ v[NR] = $1 } END {
        if (NR == 0) { print "-"; exit }
        f = "%." d "f"
        printf f " / " f " / " f, v[1], v[int((NR + 1) / 2)], v[NR] }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }'; }

# Runs a measurement; one that fails is reported on the terminal and left out
# of the figures.
exec 3>&2
measure() {
    "$@" 2>"$WORK/measure.err" && return
    echo "left out, a run failed: $(grep -E '^(xprobe|cpu_share):' "$WORK/measure.err" | tail -1)" >&3
}

# --- The session: X server, window manager, sound server ----------------------

PIDS=()
WORK=$(mktemp -d)
cleanup() {
    local p
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

start_session() {
    local n=90
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    export DISPLAY=:$n
    # A black root, so xprobe sees when a window is first painted.
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -br -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
    PIDS+=($!)
    for _ in $(seq 100); do xprop -root >/dev/null 2>&1 && break; sleep 0.05; done
    openbox >"$WORK/openbox.log" 2>&1 &
    PIDS+=($!)
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.05
    done
    export XDG_RUNTIME_DIR=$WORK/xdg
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --load="module-null-sink sink_name=rec" \
        --load=module-native-protocol-unix >"$WORK/pulse.log" 2>&1 &
    PULSE_PID=$!
    PIDS+=($!)
    export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
    for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
}

# --- Start-up -------------------------------------------------------------------

startup() {
    echo "## Start-up: process start to its first window mapped, and painted; peak RSS 1.5 s after"
    echo "load before: $(load)"
    local progs=(floor "$BIN/bench/floor_window"
                 floor_text "$BIN/bench/floor_window text"
                 dovrel "$GAME")
    local i j line
    # One round first so that every file is in the page cache.
    for ((j = 1; j < ${#progs[@]}; j += 2)); do
        # shellcheck disable=SC2086
        "$BIN/bench/xprobe" startup -- ${progs[j]} >/dev/null 2>&1 || true
    done
    for ((i = 1; i <= RUNS; i++)); do
        for ((j = 0; j < ${#progs[@]}; j += 2)); do
            # shellcheck disable=SC2086
            measure "$BIN/bench/xprobe" startup --hold 1500 -- ${progs[j + 1]} >>"$WORK/start.${progs[j]}"
        done
    done
    local name col
    printf "%-12s %-22s %-7s %-22s %-7s %-20s\n" program "mapped ms" "x floor" "painted ms" "x floor" "peak RSS MiB"
    for ((j = 0; j < ${#progs[@]}; j += 2)); do
        name=${progs[j]}
        line="$(printf "%-12s" "$name")"
        for col in 1 2; do
            line+=" $(printf "%-22s %-7s" "$(cut -d' ' -f$col "$WORK/start.$name" | stats)" \
                "$(cut -d' ' -f$col "$WORK/start.$name" | median \
                    | awk -v f="$(cut -d' ' -f$col "$WORK/start.floor" | median)" '{ printf "%.2f", $1 / f }')")"
        done
        line+=" $(cut -d' ' -f3 "$WORK/start.$name" | awk '{ print $1 / 1024 }' | stats)"
        echo "$line"
    done
    echo "(min / median / max over $RUNS runs each, interleaved; x floor: median against the floor's median)"
    echo "load after: $(load)"
    echo
}

# --- From Done to the row dealt -------------------------------------------------

deal() {
    echo "## From Done (Return in the setup dialog) to the main window (ms)"
    echo "load before: $(load)"
    # The last token of the row is always a negative one, dealt last: its cell
    # (column 8385, row 2070 twips on the 9285 x 5910 twips board, which fills
    # the bottom of the window; 15 twips a pixel) shows the picture's centre.
    local colour x y
    colour=$(convert "$ROOT/assets/pictures/negative.gif" -format '%[hex:p{14,14}]' info: | cut -c1-6)
    x=$((8385 / 15 + 14))
    y=$((5910 / 15 - 2070 / 15 - 14))
    local i
    for ((i = 1; i <= RUNS; i++)); do
        measure "$BIN/bench/xprobe" deal "$x" "$y" "$colour" -- "$GAME" >>"$WORK/deal"
    done
    echo "main window mapped: $(cut -d' ' -f2 "$WORK/deal" | stats)   (min / median / max)"
    echo "row dealt:          $(cut -d' ' -f3 "$WORK/deal" | stats)"
    echo "load after: $(load)"
    echo
}

# --- A whole match, played with keys --------------------------------------------

active_name() { xdotool getactivewindow getwindowname 2>/dev/null || true; }

# Starts the game, waits for the setup dialog to have the focus, chooses one
# player against the computer and Done; prints the game's pid and main window.
start_match() {
    "$GAME" >"$WORK/dovrel.log" 2>&1 &
    local pid=$! setup main
    setup=$(xdotool search --sync --onlyvisible --pid "$pid" | head -1)
    for _ in $(seq 100); do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$setup" ] && break
        sleep 0.05
    done
    # The option button clicks itself 100 ms after its key: wait before Done.
    xdotool key alt+o
    sleep 0.3
    xdotool key Return
    main=$(xdotool search --sync --onlyvisible --name '^Dovrel\.\.\. ' | head -1)
    sleep 1
    echo "$pid $main"
}

stop_game() {
    kill "$1" 2>/dev/null || true
    for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.05; done
    kill -9 "$1" 2>/dev/null || true
}

sound_on() {
    # Options, then S picks the first of its two S items (Turn Sound On).
    xdotool key alt+o; sleep 0.3; xdotool key s; sleep 0.3; xdotool key Return; sleep 0.3
}

# The player's take: the take box (Alt+T), its digit replaced by 6, which moves
# the focus to OK, and Enter. After Alt+6 the Enter would reach the option
# button before it clicks itself.
TAKE6=(alt+t BackSpace 6 Return)

# Plays one match against the computer at the Fastest speed, sound on or off,
# and prints the program's peak RSS in KiB as the winner dialog shows.
play_match() {
    local sound=$1 pid main
    read -r pid main < <(start_match)
    [ "$sound" = on ] && sound_on
    xdotool key alt+f                     # Fastest

    # The winner dialog is pure blue and stands 675 twips below the main
    # window's top edge, centred across it: look just inside its top left corner.
    local x y w top left right
    eval "$(xwininfo -id "$main" | awk '/Absolute upper-left X/ { print "x=" $NF }
        /Absolute upper-left Y/ { print "y=" $NF } /Width/ { print "w=" $NF }')"
    read -r left right top _ < <(xprop -id "$main" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    local probe_x=$(( x - left + (w + left + right - 4665 / 15) / 2 + 4 ))
    local probe_y=$(( y - top + 675 / 15 + 4 ))

    # A window called just "Dovrel" is the winner dialog, or the setup dialog
    # if a key meant for the board pressed New Game in it: either way the match
    # is over.
    local deadline=$((SECONDS + 600)) hwm="" name last=""
    while [ $SECONDS -lt $deadline ]; do
        name=$(active_name)
        if [ "$name" = Dovrel ] || [ "$("$BIN/bench/xprobe" pixel "$probe_x" "$probe_y")" = 0000FF ]; then
            hwm=$(awk '/VmHWM/ { print $2 }' "/proc/$pid/status")
            break
        fi
        [ "$name" != "$last" ] && echo "$SECONDS s: $name" >>"$WORK/match.windows"
        last=$name
        case "$name" in
        "Score For This Game") xdotool key Return ;;
        "Exit Check...") xdotool key n ;;
        "Dovrel... "*)
            xdotool key "${TAKE6[@]:0:3}"
            # Enter only while the board still has the focus.
            [ "$(active_name)" = "$name" ] && xdotool key Return alt+c   # alt+c: Continue after a penalty
            ;;
        esac
        sleep 0.25
    done
    if [ -n "$hwm" ]; then
        echo "$hwm"
        xdotool key alt+x 2>/dev/null || true   # Exit in the winner dialog
        sleep 1
    else
        # Keep what the screen showed, to see where the keys got stuck.
        import -window root "$BIN/bench/unfinished-match.png"
        cp "$WORK/match.windows" "$BIN/bench/unfinished-match.txt"
        echo "match with sound $sound did not finish: see $BIN/bench/unfinished-match.*" >&2
    fi
    rm -f "$WORK/match.windows"
    stop_game "$pid"
}

memory() {
    echo "## Peak RSS over a whole match against the computer, Fastest (MiB)"
    echo "load before: $(load)"
    local i floor_rss
    for ((i = 1; i <= RUNS; i++)); do
        measure "$BIN/bench/xprobe" startup --hold 1500 -- "$BIN/bench/floor_window" | cut -d' ' -f3 >>"$WORK/mem.floor"
    done
    for ((i = 1; i <= MATCHES; i++)); do
        play_match on >>"$WORK/mem.on"
    done
    play_match off >>"$WORK/mem.off"
    floor_rss=$(median <"$WORK/mem.floor")
    echo "floor:             $(awk '{ print $1 / 1024 }' "$WORK/mem.floor" | stats)   (min / median / max)"
    echo "match, sound on:   $(awk '{ print $1 / 1024 }' "$WORK/mem.on" | stats)   ($(wc -l <"$WORK/mem.on") of $MATCHES matches finished)"
    echo "match, sound off:  $(awk '{ print $1 / 1024 }' "$WORK/mem.off" | stats)"
    echo "over the floor (median, sound on): $(median <"$WORK/mem.on" | awk -v f="$floor_rss" '{ printf "%+.1f MiB", ($1 - f) / 1024 }')"
    echo "load after: $(load)"
    echo
}

# --- The cues: how soon one sounds, and what the sound costs in memory -------------

cues() {
    echo "## Cues: from the call to the first sound at the null sink's monitor (ms); memory after a take"
    echo "load before: $(load)"
    "$BIN/bench/cue_latency" "$(dirname "$GAME")/libdovrel_sound.so" "$BIN/ding1.wav" 20 >"$WORK/latency"
    echo "cue latency: $(grep -v -- - "$WORK/latency" | stats)   (min / median / max;" \
         "$(grep -cv -- - "$WORK/latency") of 20 heard)"
    local i sound pid main
    for ((i = 1; i <= RUNS; i++)); do
        measure "$BIN/bench/xprobe" startup --hold 1500 -- "$BIN/bench/floor_window" text \
            | cut -d' ' -f3 >>"$WORK/take.floor"
    done
    # One player against the computer, Fastest, a take of 6; VmHWM once its
    # cues and the hand-over are over.
    for sound in on off; do
        for ((i = 1; i <= 3; i++)); do
            read -r pid main < <(start_match)
            [ "$sound" = on ] && sound_on
            xdotool key alt+f
            xdotool key "${TAKE6[@]}"
            sleep 6
            awk '/VmHWM/ { print $2 }' "/proc/$pid/status" >>"$WORK/take.$sound"
            stop_game "$pid"
        done
    done
    local floor_rss
    floor_rss=$(median <"$WORK/take.floor")
    echo "floor with one label: $(awk '{ print $1 / 1024 }' "$WORK/take.floor" | stats) MiB"
    for sound in on off; do
        echo "after a take, sound $sound: $(awk '{ print $1 / 1024 }' "$WORK/take.$sound" | stats) MiB," \
             "$(median <"$WORK/take.$sound" | awk -v f="$floor_rss" '{ printf "%+.1f MiB", ($1 - f) / 1024 }') over it"
    done
    echo "load after: $(load)"
    echo
}

# --- The cues while the sound server hangs ----------------------------------------

# Plays $2 rounds in the running game $1 (pid): the player's take of 6, then
# the computer's move, about 8 s at the Fastest speed; the boxes between games
# are answered as play_match does, and a match won starts the next. A round
# asks for 6 to 12 cues.
play_rounds() {
    local pid=$1 rounds=$2 done=0 name deadline=$((SECONDS + 30 * $2))
    while [ "$done" -lt "$rounds" ] && [ $SECONDS -lt $deadline ]; do
        name=$(active_name)
        case "$name" in
        "Score For This Game") xdotool key Return ;;
        "Exit Check...") xdotool key n ;;
        Dovrel)
            # The winner dialog: New Game, then one player against the
            # computer again in the setup dialog.
            xdotool key alt+n; sleep 1
            xdotool key alt+o; sleep 0.3; xdotool key alt+d; sleep 1.5
            ;;
        "Dovrel... "*)
            xdotool key "${TAKE6[@]:0:3}"
            if [ "$(active_name)" = "$name" ]; then
                xdotool key Return alt+c
                done=$((done + 1))
                sleep 9
            fi
            ;;
        esac
        sleep 0.25
    done
}

rss_kib() { awk '/VmRSS/ { print $2 }' "/proc/$1/status"; }

# How often the cue thread of the game $1 has woken: once for each cue asked.
cue_wakes() {
    local task
    for task in /proc/"$1"/task/*; do
        if [ "$(cat "$task/comm" 2>/dev/null)" = cues ]; then
            awk '/^voluntary_ctxt_switches/ { print $2 }' "$task/status"
        fi
    done
}

hung() {
    echo "## The cues while the sound server is stopped (SIGSTOP): resident memory (KiB)"
    echo "load before: $(load)"
    local module
    module="$(dirname "$GAME")/libdovrel_sound.so"
    # The cue player alone, through the audio module: 60 cues a step apart at
    # the Fastest speed, then 700 cues 0.1 s apart. Another build's player
    # comes with its own cue_memory (CUE_MEMORY=...), built with it.
    local probe=${CUE_MEMORY:-$BIN/bench/cue_memory}
    echo "player alone: $("$probe" "$module" "$BIN" "$PULSE_PID" 60 500)"
    echo "player alone: $("$probe" "$module" "$BIN" "$PULSE_PID" 700 100)"
    # The game: one player against the computer, Fastest, sound on; two
    # rounds with the server answering, then ROUNDS rounds (6: about 60 cues)
    # with the server answering or stopped.
    local state pid main before after wakes rounds=${ROUNDS:-6}
    for state in ${STATES:-answering stopped answering stopped}; do
        read -r pid main < <(start_match)
        sound_on
        xdotool key alt+f
        play_rounds "$pid" 2
        before=$(rss_kib "$pid")
        wakes=$(cue_wakes "$pid")
        [ "$state" = stopped ] && kill -STOP "$PULSE_PID"
        play_rounds "$pid" "$rounds"
        after=$(rss_kib "$pid")
        wakes=$(( $(cue_wakes "$pid") - wakes ))
        [ "$state" = stopped ] && kill -CONT "$PULSE_PID"
        echo "game, server $state: $before KiB before $rounds rounds (the cue thread woke $wakes times, about once a cue), $after KiB after, $((after - before)) KiB more"
        stop_game "$pid"
    done
    echo "load after: $(load)"
    echo
}

# --- Processor time while the game pauses ---------------------------------------

cpu() {
    echo "## Share of one core while the game pauses, Normal speed, one player against the computer"
    echo "load before: $(load)"
    local sound i pid main
    for sound in off on; do
        for ((i = 1; i <= 3; i++)); do
            read -r pid main < <(start_match)
            [ "$sound" = on ] && sound_on
            # Take 6: six tokens of 1 s each, the first revealed at once; the
            # stretch from 0.2 s to 5.8 s is the pauses of tokens 1 to 6 with
            # the reveals of tokens 2 to 6 between them.
            xdotool key "${TAKE6[@]}"
            sleep 0.2
            measure "$BIN/bench/cpu_share" "$pid" 5600 | cut -d' ' -f1 >>"$WORK/cpu.take.$sound"
            # After the take's last two pauses the frame slides across (a burst
            # of work); the computer then pauses 1 s, writes its take and pauses
            # 2 s more: measure 2.5 s of that.
            measure "$BIN/bench/cpu_share" "$pid" 2500 --after-burst | cut -d' ' -f1 >>"$WORK/cpu.computer.$sound"
            stop_game "$pid"
        done
    done
    echo "a take's pauses, sound off:        $(stats 2 <"$WORK/cpu.take.off") %   (min / median / max)"
    echo "a take's pauses, sound on:         $(stats 2 <"$WORK/cpu.take.on") %"
    echo "the computer's pauses, sound off:  $(stats 2 <"$WORK/cpu.computer.off") %"
    echo "the computer's pauses, sound on:   $(stats 2 <"$WORK/cpu.computer.on") %"
    echo "load after: $(load)"
    echo
}

pause() {
    echo "## The pacer alone: pause length against StepDelay, and its processor time"
    echo "load before: $(load)"
    "$BIN/bench/pause_bench" 5
    echo "load after: $(load)"
    echo
}

headless() {
    echo "## A whole match on the rules alone (no window, virtual clock, scripted numbers)"
    echo "load before: $(load)"
    "$BIN/bench/headless_match" 500
    echo "Where the time goes (callgrind, 50 matches, inclusive share of the top functions):"
    valgrind --tool=callgrind --callgrind-out-file="$WORK/callgrind.out" "$BIN/bench/headless_match" 50 >/dev/null 2>&1
    callgrind_annotate --inclusive=yes "$WORK/callgrind.out" 2>/dev/null \
        | grep -E '^ *[0-9,]+ \(' \
        | grep -vE 'PROGRAM TOTALS|ld-linux|below main|libc-start|:main |playMatch' \
        | sed -E 's/ \[[^]]*\]$//; s/^/    /' | head -16
    echo "load after: $(load)"
    echo
}

suite() {
    echo "## The test suite: ./dev.sh test after a build (wall s)"
    ./dev.sh test >/dev/null 2>&1 || { echo "./dev.sh test fails"; return; }
    echo "load before: $(load)"
    local i t0
    for ((i = 1; i <= 3; i++)); do
        t0=$(date +%s.%N)
        ./dev.sh test >/dev/null 2>&1
        awk -v a="$t0" -v b="$(date +%s.%N)" 'BEGIN { print b - a }' >>"$WORK/suite"
    done
    echo "./dev.sh test: $(stats <"$WORK/suite") s   (min / median / max)"
    echo "load after: $(load)"
    echo
}

# ---------------------------------------------------------------------------------

install_missing "${PACKAGES[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target dovrel floor_window xprobe cpu_share \
    pause_bench headless_match cue_latency cue_memory >/dev/null

echo "# Dovrel benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores," \
     "$(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo) RAM," \
     "Debian $(cat /etc/debian_version), Qt $(dpkg-query -W -f='${Version}' libqt6core6 | cut -d+ -f1)," \
     "$(g++ --version | head -1)"
echo

if wants startup || wants deal || wants memory || wants cues || wants hung || wants cpu; then
    start_session
fi
for s in startup deal memory cues hung cpu pause headless suite; do
    if wants "$s"; then "$s"; fi
done
