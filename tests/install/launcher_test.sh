#!/usr/bin/env bash
# The installed game as a player meets it, in a real window on an X display of
# the test's own (CMake runs this under xvfb-run -a): install into a prefix,
# start the launcher with HOME and the XDG homes in a scratch folder, start a
# level with Enter and end the game with Escape. The settings are made on the
# first start; an edit to them is what the second start reads (the window
# takes the edited width), and survives it even though the installed default
# changed in between, as it does in an upgrade.
set -u
. "$(dirname "$0")/checks.sh"

install_into_scratch
default_settings=$prefix/$SANDLARK_GAMEDATADIR/configuration.txt
settings=$scratch/config/sandlark/configuration.txt
title="Sandlark V$SANDLARK_VERSION "

window=""
game_pid=""
running() { kill -0 "$game_pid" 2> /dev/null; }
start_game() {
    HOME="$scratch/home" XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" \
        "$launcher" > "$scratch/out" 2> "$scratch/err" &
    game_pid=$!
    window=""
    # The display is ours alone, so the only window with the game's title is the game's.
    for _ in $(seq 600); do
        window=$(xdotool search --onlyvisible --name "^Sandlark V" 2> /dev/null | head -n 1)
        [ -n "$window" ] && return 0
        running || break
        sleep 0.1
    done
    echo "no game window; the game wrote:"
    cat "$scratch/out" "$scratch/err"
    return 1
}
# Holds a key for a while, as a player does (the game reads whether a key is
# down once a frame). A press sent before the window can take the focus is
# lost, so callers press again until they see the effect.
hold_key() { # key seconds
    xdotool windowfocus --sync "$window" keydown "$1" 2> /dev/null
    sleep "$2"
    xdotool keyup "$1" 2> /dev/null
}
# Enter on the waiting screen, after loading, starts the level; the title then
# shows the frame rate after the version.
start_level() {
    local now=""
    for _ in $(seq 60); do
        hold_key Return 2
        now=$(xdotool getwindowname "$window" 2> /dev/null)
        case $now in "$title"?*) return 0 ;; esac
        running || break
    done
    echo "the level did not start; the title is '$now'"
    return 1
}
# Escape during play; waits for the end and leaves the exit status in $status.
end_game() {
    for _ in $(seq 30); do
        running || break
        hold_key Escape 0.25
        for _ in $(seq 20); do
            running || break
            sleep 0.1
        done
    done
    if running; then
        kill -KILL "$game_pid"
        echo "the game did not end after Escape"
    fi
    wait "$game_pid"
    status=$?
    out=$(cat "$scratch/out")
    err=$(cat "$scratch/err")
}
play_once() {
    start_game || return 1
    geometry=$(xdotool getwindowgeometry "$window" 2> /dev/null)
    start_level || { end_game; return 1; }
    sleep 1
    end_game
}

check "first start: the window opens and a level starts" play_once
check "first start: Escape ends the game with status 0" same_text "$status" 0
check "first start: the game cleans up" contains "$out" "Cleaning up..."
check "first start: nothing on standard error" same_text "$err" ""
check "first start: the window has the default width" contains "$geometry" "Geometry: 1280x720"
check "first start: the settings were made from the default" same_file_content "$settings" "$default_settings"

# The player's edit, and an upgrade that brings a new default.
sed -i 's/^screenwidth .*/screenwidth 1024/' "$settings"
echo "# kept across upgrades" >> "$settings"
cp "$settings" "$scratch/edited"
printf '%s\n' "# a newer default" >> "$default_settings"
# The records live in the run directory: a damaged file put there is found and
# kept aside by the next start.
run=$scratch/data/sandlark
printf 'not records\n' > "$run/records.txt"

check "second start: the window opens and a level starts" play_once
check "second start: Escape ends the game with status 0" same_text "$status" 0
check "second start: the game cleans up" contains "$out" "Cleaning up..."
check "second start: the game read the edited settings" contains "$geometry" "Geometry: 1024x720"
check "second start: the edit survived" same_file_content "$settings" "$scratch/edited"
check "second start: the records in the run directory were read" contains "$out" "Records file $run/records.txt is damaged"
damaged_records() { same_text "$(cat "$run"/records.txt.damaged-*)" "not records"; }
check "second start: the damaged records were kept aside" damaged_records

finish
