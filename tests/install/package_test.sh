#!/usr/bin/env bash
# The Debian package, made once with cpack: it holds exactly the files of a
# plain install under /usr (with Debian's compressed manual page and changelog,
# and the font linked from fonts-bebas-neue), its dependencies name the
# libraries the game links, apt can install it, the launcher inside it finds
# the game and data beside it, and lintian finds no error or warning.
set -u
. "$(dirname "$0")/checks.sh"

scratch=$SANDLARK_SCRATCH
fresh_directory "$scratch"
if ! cpack --config "$SANDLARK_BUILD_DIR/CPackConfig.cmake" -G DEB -B "$scratch/cpack" > "$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    exit 1
fi
deb=$(ls "$scratch"/cpack/sandlark_*.deb)
field() { dpkg-deb -f "$deb" "$1"; }

check "the package is named after the launcher" same_text "$(field Package)" "sandlark"
check "the package has the project's version" same_text "$(field Version)" "$SANDLARK_VERSION"
check "the package is for this architecture" same_text "$(field Architecture)" "$(dpkg --print-architecture)"
check "the package is a game" same_text "$(field Section)" "games"
depends=$(field Depends)
for library in libglfw3 libglew2.2 libassimp5 libfreeimage3 libfreetype6 fonts-bebas-neue; do
    check "Depends names $library" contains ", $depends" ", $library"
done

# The package's files against a plain install under /usr.
DESTDIR=$scratch/plain cmake --install "$SANDLARK_BUILD_DIR" --prefix /usr > "$scratch/install.log" 2>&1 ||
    cat "$scratch/install.log"
expected=$(cd "$scratch/plain" && find . ! -type d | sed \
    -e "s|^\(\./usr/$SANDLARK_MANDIR/man6/sandlark\.6\)$|\1.gz|" \
    -e "s|^\(\./usr/$SANDLARK_DOCDIR/changelog\)$|\1.gz|" | sort)
listing=$(dpkg-deb -c "$deb")
packaged=$(printf '%s\n' "$listing" | awk '$1 !~ /^d/ { print $6 }' | sort)
check "the package holds the files of a plain install" same_text "$packaged" "$expected"
check "every file belongs to root" same_text "$(printf '%s\n' "$listing" | awk '$2 != "root/root"')" ""
check "the launcher is executable" contains "$listing" "-rwxr-xr-x root/root"
fonts=/usr/$SANDLARK_GAMEDATADIR/Assets/Fonts
check "the game's font name is a link" contains "$listing" ".$fonts/AmericanCaptain.ttf -> ../"
font_target=$(printf '%s\n' "$listing" | sed -n "s|.*\.$fonts/AmericanCaptain\.ttf -> ||p")
check "the link reaches the font of fonts-bebas-neue" \
    same_text "$(readlink -m "$fonts/$font_target")" "$SANDLARK_FONT_FILE"

# The launcher in the unpacked package finds the game and data beside it.
dpkg-deb -x "$deb" "$scratch/root"
root_launcher=$scratch/root/usr/$SANDLARK_BINDIR/sandlark
check "the packaged launcher answers --version" same_text "$("$root_launcher" --version)" "sandlark $SANDLARK_VERSION"
env -u DISPLAY -u WAYLAND_DISPLAY HOME="$scratch/home" XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" \
    "$root_launcher" > "$scratch/out" 2> "$scratch/err"
check "the packaged launcher starts the packaged game" \
    contains "$(cat "$scratch/err")" "ERROR: GLWindow could not be created."
check "the packaged launcher links the packaged data" \
    links_to "$scratch/data/sandlark/Shaders" "$scratch/root/usr/$SANDLARK_GAMEDATADIR/Shaders"
check "the packaged changelog's newest entry is this version" \
    contains "$(zcat "$scratch/root/usr/$SANDLARK_DOCDIR/changelog.gz" | head -n 1)" "sandlark ($SANDLARK_VERSION)"

# apt resolves the dependencies without installing anything.
check "apt can install the package" contains "$(apt-get install --simulate --no-install-recommends "$deb" 2>&1)" "Inst sandlark"

if command -v lintian > /dev/null; then
    lintian --display-info --fail-on error,warning "$deb" > "$scratch/lintian.log" 2>&1
    lintian_status=$?
    echo "lintian says:"
    sed 's/^/    /' "$scratch/lintian.log"
    check "lintian finds no error or warning" same_text "$lintian_status" 0
else
    echo "lintian is not installed: the package was not linted"
fi

finish
