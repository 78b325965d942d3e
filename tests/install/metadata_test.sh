#!/usr/bin/env bash
# What desktops, software centres and man read: the desktop entry, the
# AppStream metadata and the manual page pass their own validators without a
# warning, name each other consistently, carry the project's version, and the
# manual page and the README document every setting of configuration.txt.
set -u
. "$(dirname "$0")/checks.sh"

packaging=$SANDLARK_SOURCE_DIR/packaging
desktop=$packaging/$SANDLARK_APP_ID.desktop
metainfo=$packaging/$SANDLARK_APP_ID.metainfo.xml
manual=$SANDLARK_BUILD_DIR/packaging/sandlark.6

quiet() { # the command succeeds and prints nothing
    local output
    output=$("$@" 2>&1) || { printf '%s\n' "$output"; return 1; }
    same_text "$output" ""
}
desktop_key() { sed -n "s/^$1=//p" "$desktop"; }
first_xml() { # the text of the first <tag> element
    sed -n "s|.*<$1[^>]*>\([^<]*\)</$1>.*|\1|p" "$metainfo" | head -n 1
}

check "desktop-file-validate accepts the desktop entry" quiet desktop-file-validate "$desktop"
check "appstreamcli accepts the metadata" appstreamcli validate --no-net "$metainfo"
check "groff formats the manual page without a warning" quiet groff -man -ww -z "$manual"
man_text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$manual" 2> "$SANDLARK_SCRATCH.man-warnings")
check "man renders the manual page without a warning" same_text "$(cat "$SANDLARK_SCRATCH.man-warnings")" ""
rm -f "$SANDLARK_SCRATCH.man-warnings"
check "the manual page is sandlark(6)" contains "$man_text" "SANDLARK(6)"
check "the manual page carries the version" contains "$man_text" "Sandlark $SANDLARK_VERSION"

check "the metadata's id is the application id" same_text "$(first_xml id)" "$SANDLARK_APP_ID"
check "the metadata launches the desktop entry" same_text "$(first_xml launchable)" "$SANDLARK_APP_ID.desktop"
check "the metadata provides the launcher" same_text "$(first_xml binary)" "sandlark"
check "the newest release in the metadata is this version" \
    same_text "$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)" "$SANDLARK_VERSION"
check "the newest changelog entry is this version" \
    same_text "$(sed -n '1s/^sandlark (\([^)]*\)).*/\1/p' "$packaging/changelog")" "$SANDLARK_VERSION"
check "the desktop entry starts the launcher" same_text "$(desktop_key Exec)" "sandlark"
check "the desktop entry shows the installed icon" same_text "$(desktop_key Icon)" "sandlark"

# Every key the default settings file sets is documented for the player.
keys=$(awk '/^[A-Za-z]/ { print $1 }' "$SANDLARK_SOURCE_DIR/configuration.txt")
check "the default settings set something" test -n "$keys"
for key in $keys; do
    check "the manual page documents $key" mentions "$packaging/sandlark.6.in" ".BI $key "
    check "the README documents $key" mentions "$SANDLARK_SOURCE_DIR/README.md" "| \`$key\` |"
done

finish
