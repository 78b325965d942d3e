# Shared by the install tests (sourced): named checks that report each result,
# and the tally at the end. A check's command runs in the test's own shell (so
# a function it calls can leave results in variables); its output is shown
# only when it fails.
passed=0
failed=0
check_output=$(mktemp)
trap 'rm -f "$check_output"' EXIT

# check "what is expected" command [arguments...]
check() {
    local what=$1
    shift
    if "$@" > "$check_output" 2>&1; then
        passed=$((passed + 1))
        printf 'ok: %s\n' "$what"
    else
        failed=$((failed + 1))
        printf 'FAILED: %s\n' "$what"
        sed 's/^/    /' "$check_output"
    fi
}

# Commands to check with: each says what it found when it fails.
same_text() { # actual expected
    [ "$1" = "$2" ] || { printf 'got:      %s\nexpected: %s\n' "$1" "$2"; return 1; }
}
contains() { # text part
    case $1 in *"$2"*) return 0 ;; esac
    printf 'no "%s" in:\n%s\n' "$2" "$1"
    return 1
}
mentions() { # file part
    grep -qF -- "$2" "$1" || { printf '%s does not mention "%s"\n' "$1" "$2"; return 1; }
}
is_file() { [ -f "$1" ] || { echo "missing file $1"; return 1; }; }
is_executable() { [ -f "$1" ] && [ -x "$1" ] || { echo "not an executable file: $1"; return 1; }; }
is_missing() { [ ! -e "$1" ] && [ ! -L "$1" ] || { echo "should not exist: $1"; return 1; }; }
links_to() { # link target: the link resolves to the same file as target
    [ -L "$1" ] || { echo "not a link: $1"; return 1; }
    same_text "$(readlink -f "$1")" "$(readlink -f "$2")"
}
same_file_content() { cmp "$1" "$2"; }
show_log_and_fail() { cat "$1"; return 1; }

# A fresh scratch folder of the test's own under the build tree.
fresh_directory() {
    rm -rf "$1"
    mkdir -p "$1"
}

# Installs the build into a prefix in the test's fresh scratch folder, and
# sets $scratch, $prefix and $launcher; a failed install ends the test.
install_into_scratch() {
    scratch=$SANDLARK_SCRATCH
    fresh_directory "$scratch"
    prefix=$scratch/prefix
    if ! cmake --install "$SANDLARK_BUILD_DIR" --prefix "$prefix" > "$scratch/install.log" 2>&1; then
        cat "$scratch/install.log"
        exit 1
    fi
    launcher=$prefix/$SANDLARK_BINDIR/sandlark
}

# Ends the test: the tally, and a failing status when any check failed.
finish() {
    printf '%d passed, %d failed\n' "$passed" "$failed"
    [ "$failed" -eq 0 ]
}
