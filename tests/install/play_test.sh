#!/usr/bin/env bash
# scripts/play.sh, a player's first command, without starting the game: what it
# answers without a display and to --help and --version, and what its build
# leaves. It configures a scratch build folder for real; its build is only
# recorded (a stand-in cmake), which is enough: when the tests are not
# configured, no build of any target can make a test program.
set -u
. "$(dirname "$0")/checks.sh"

scratch=$SANDLARK_SCRATCH
fresh_directory "$scratch"
build=$scratch/build
export SANDLARK_BUILD_DIR=$build
run_play() { # [env options and VAR=value...] play.sh [arguments...]
    env "$@" > "$scratch/out" 2> "$scratch/err"
    status=$?
    out=$(cat "$scratch/out")
    err=$(cat "$scratch/err")
}
play=$SANDLARK_SOURCE_DIR/scripts/play.sh

run_play -u DISPLAY -u WAYLAND_DISPLAY "$play"
check "without a display it fails" [ "$status" -ne 0 ]
check "and says so in one line" same_text "$(wc -l < "$scratch/err")" 1
check "naming the display" contains "$err" "no display"
check "before building anything" is_missing "$build"

run_play -u DISPLAY -u WAYLAND_DISPLAY "$play" --help
check "--help answers without a display" same_text "$status" 0
check "--help shows the usage" contains "$out" "Usage: scripts/play.sh"
run_play -u DISPLAY -u WAYLAND_DISPLAY "$play" --version
check "--version shows the project's version" same_text "$out" "sandlark $SANDLARK_VERSION"
run_play "$play" --fullscreen
check "an unknown argument is a usage error" same_text "$status" 2
check "an unknown argument starts nothing" is_missing "$build"

# A stand-in cmake: configures for real, records a build instead of compiling.
real_cmake=$(command -v cmake)
mkdir -p "$scratch/bin"
cat > "$scratch/bin/cmake" <<STANDIN
#!/bin/sh
if [ "\$1" = --build ]; then echo "\$*" >> "$scratch/builds"; exit 0; fi
exec "$real_cmake" "\$@"
STANDIN
chmod +x "$scratch/bin/cmake"
run_play -u DISPLAY -u WAYLAND_DISPLAY PATH="$scratch/bin:$PATH" "$play" --build-only
check "the build succeeds without a display" same_text "$status" 0
check "it builds the game's target, once" same_text "$(grep -c -- '--target sandlark$' "$scratch/builds")" 1
check "and builds nothing else" same_text "$(wc -l < "$scratch/builds")" 1
targets=$("$real_cmake" --build "$build" --target help)
check "the game is among the targets" contains "$targets" "... sandlark"
check "no test program is" same_text "$(grep -E 'test|bench|fuzz' <<< "$targets")" ""
finish
