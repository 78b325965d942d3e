#!/usr/bin/env bash
# `cmake --install` into a prefix of its own: where every file lands, and what
# the launcher does before the game opens its window: --help and --version,
# unknown arguments, missing data, a run directory that cannot be made, a
# launcher reached through a link, a moved prefix, XDG variables to ignore.
# Nothing here opens a window: where the game itself is started, there is no
# display, and the game's own "could not be created" message shows that the
# launcher got as far as starting it in the run directory.
# The install directories and the version come from CMake (see CMakeLists.txt).
set -u
. "$(dirname "$0")/checks.sh"

install_into_scratch
data=$prefix/$SANDLARK_GAMEDATADIR
share=$prefix/$SANDLARK_DATADIR

check "the launcher is in the games directory" is_executable "$launcher"
check "the game is in its architecture-dependent directory" is_executable "$prefix/$SANDLARK_GAMEDIR/sandlark"
check "the default settings are installed" same_file_content "$data/configuration.txt" "$SANDLARK_SOURCE_DIR/configuration.txt"
check "the shaders are installed" same_file_content "$data/Shaders/default.vert" "$SANDLARK_SOURCE_DIR/Shaders/default.vert"
check "the generated assets are installed" is_file "$data/Assets/world/desertHeightmapCollision.jpg"
check "the font is installed" is_file "$data/Assets/Fonts/AmericanCaptain.ttf"
check "nothing executable among the data" same_text "$(find "$data" -type f -perm /111)" ""
check "the desktop entry" is_file "$share/applications/$SANDLARK_APP_ID.desktop"
check "the AppStream metadata" is_file "$share/metainfo/$SANDLARK_APP_ID.metainfo.xml"
for size in 48 64 128 256; do
    check "the ${size}-pixel icon" is_file "$share/icons/hicolor/${size}x${size}/apps/sandlark.png"
done
check "the manual page" is_file "$prefix/$SANDLARK_MANDIR/man6/sandlark.6"
check "the copyright file" is_file "$prefix/$SANDLARK_DOCDIR/copyright"
check "the installed tree passes AppStream's checks (desktop entry, icon, metadata)" \
    appstreamcli validate-tree --no-net "$prefix"

# Every run below gets HOME and the XDG homes under the scratch folder, and no
# display.
home=$scratch/home
run_launcher() { # [VAR=value...] [launcher arguments...]
    env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" \
        "$@" > "$scratch/out" 2> "$scratch/err"
    status=$?
    out=$(cat "$scratch/out")
    err=$(cat "$scratch/err")
}
run_dir=$scratch/data/sandlark
settings=$scratch/config/sandlark/configuration.txt

run_launcher "$launcher" --help
check "--help succeeds" same_text "$status" 0
check "--help shows the usage" contains "$out" "Usage: sandlark [--help | --version]"
check "--help names the settings file" contains "$out" "sandlark/configuration.txt"
check "--help starts nothing" is_missing "$run_dir"
run_launcher "$launcher" --version
check "--version succeeds" same_text "$status" 0
check "--version shows the project's version" same_text "$out" "sandlark $SANDLARK_VERSION"
check "--version starts nothing" is_missing "$run_dir"
run_launcher "$launcher" --fullscreen
check "an unknown argument is a usage error" same_text "$status" 2
check "an unknown argument is named" contains "$err" "unknown argument '--fullscreen'"
check "an unknown argument starts nothing" is_missing "$run_dir"

# The data moved away: the launcher names the missing path and stops.
mv "$data" "$scratch/moved-data"
run_launcher "$launcher"
check "missing data fails" same_text "$status" 1
check "missing data names its path" contains "$err" "sandlark: the game's data directory $data is missing"
check "missing data starts nothing" is_missing "$run_dir"
mv "$scratch/moved-data" "$data"
mv "$data/Assets" "$scratch/moved-assets"
run_launcher "$launcher"
check "missing assets fail" same_text "$status" 1
check "missing assets are named" contains "$err" "$data/Assets is missing"
mv "$scratch/moved-assets" "$data/Assets"
mv "$prefix/$SANDLARK_GAMEDIR/sandlark" "$scratch/moved-game"
run_launcher "$launcher"
check "a missing game fails" same_text "$status" 1
check "a missing game is named" contains "$err" "$prefix/$SANDLARK_GAMEDIR/sandlark is missing"
mv "$scratch/moved-game" "$prefix/$SANDLARK_GAMEDIR/sandlark"

# A file where the run directory's parent should be.
touch "$scratch/a-file"
run_launcher XDG_DATA_HOME="$scratch/a-file" "$launcher"
check "a run directory that cannot be made fails" same_text "$status" 1
check "the run directory that cannot be made is named" \
    contains "$err" "cannot make the run directory $scratch/a-file/sandlark"
run_launcher XDG_CONFIG_HOME="$scratch/a-file" "$launcher"
check "a settings directory that cannot be made fails" same_text "$status" 1
check "the settings directory that cannot be made is named" \
    contains "$err" "cannot make the settings directory $scratch/a-file/sandlark"

# The first start: run directory, links and settings are made, then the game
# runs there (and, without a display, cannot open its window).
run_launcher "$launcher"
check "without a display the game's own start-up error comes through" \
    contains "$err" "ERROR: GLWindow could not be created. (OpenGL 3.3)"
check "and so does its status" same_text "$status" 1
check "the settings were copied from the default" same_file_content "$settings" "$data/configuration.txt"
check "the settings can be edited" test -w "$settings"
check "the run directory links to the installed shaders" links_to "$run_dir/Shaders" "$data/Shaders"
check "the run directory links to the installed assets" links_to "$run_dir/Assets" "$data/Assets"
check "the run directory links to the user's settings" links_to "$run_dir/configuration.txt" "$settings"

# A launcher reached through a link in another folder still finds its files.
mkdir -p "$scratch/bin"
ln -s "$launcher" "$scratch/bin/sandlark"
rm -rf "$run_dir"
run_launcher "$scratch/bin/sandlark"
check "through a link, the game is started" contains "$err" "ERROR: GLWindow could not be created."
check "through a link, the run directory links to the installed assets" links_to "$run_dir/Assets" "$data/Assets"

# The whole prefix moved: the links follow on the next start.
mv "$prefix" "$scratch/moved-prefix"
run_launcher "$scratch/moved-prefix/$SANDLARK_BINDIR/sandlark"
check "after a move, the game is started" contains "$err" "ERROR: GLWindow could not be created."
check "after a move, the links follow the data" \
    links_to "$run_dir/Shaders" "$scratch/moved-prefix/$SANDLARK_GAMEDATADIR/Shaders"
mv "$scratch/moved-prefix" "$prefix"

# Configured for ~/.local (the launcher in bin), the launcher still finds the
# game and its data from there. Only the configuration is needed for that.
if cmake -S "$SANDLARK_SOURCE_DIR" -B "$scratch/configured-for-bin" -DCMAKE_INSTALL_BINDIR=bin \
    -DSANDLARK_BUILD_TESTS=OFF > "$scratch/configure.log" 2>&1; then
    mkdir -p "$prefix/bin"
    install -m 755 "$scratch/configured-for-bin/packaging/sandlark" "$prefix/bin/sandlark"
    rm -rf "$run_dir"
    run_launcher "$prefix/bin/sandlark"
    check "configured for bin, the launcher starts the game" contains "$err" "ERROR: GLWindow could not be created."
    check "configured for bin, the launcher finds the data" links_to "$run_dir/Assets" "$data/Assets"
else
    check "a configuration with the launcher in bin" show_log_and_fail "$scratch/configure.log"
fi

# Something of the user's in place of a link is left alone.
rm "$run_dir/Assets"
mkdir "$run_dir/Assets"
run_launcher "$launcher"
check "a directory in place of a link stops the launcher" same_text "$status" 1
check "the directory in the way is named" contains "$err" "$run_dir/Assets is in the way"
check "the directory in the way is kept" test -d "$run_dir/Assets"
rmdir "$run_dir/Assets"

# Relative XDG homes are ignored, as the XDG base directory rules say.
run_launcher XDG_DATA_HOME=relative/data XDG_CONFIG_HOME=relative/config "$launcher"
check "a relative XDG_DATA_HOME means ~/.local/share" links_to "$home/.local/share/sandlark/Assets" "$data/Assets"
check "a relative XDG_CONFIG_HOME means ~/.config" is_file "$home/.config/sandlark/configuration.txt"
# One directory for both: the settings are already in the run directory.
run_launcher XDG_DATA_HOME="$scratch/both" XDG_CONFIG_HOME="$scratch/both" "$launcher"
check "with one home for both, the game still starts" contains "$err" "ERROR: GLWindow could not be created."
check "with one home for both, the settings are a real file" test -f "$scratch/both/sandlark/configuration.txt" -a ! -L "$scratch/both/sandlark/configuration.txt"

finish
