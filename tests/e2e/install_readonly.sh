# The installed game on a read-only prefix: cmake --install into a
# temporary prefix, every file and directory of it made read-only, then,
# from an unrelated directory with a fresh HOME, a game played through the
# plain front end: a new game, a few commands, a conversation, quit. The
# save must be in $HOME/.local/share/brinefall and load again, and nothing
# in the prefix may have changed.
# Usage: install_readonly.sh <brinefall binary in its build tree>
set -u
BUILD=$(dirname "$(realpath "$1")")
export LC_ALL=C.UTF-8
WORK=$(mktemp -d)
GAME_PID=""
cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
    chmod -R u+w "$WORK" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$WORK/out.txt" ] && { echo "---- output ----" >&2; tail -40 "$WORK/out.txt" >&2; }
    exit 1
}

PREFIX=$WORK/prefix
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || fail "cmake --install: $(tail -3 "$WORK/install.log")"
for file in bin/brinefall share/brinefall/initial.mox share/brinefall/Memory.mox share/brinefall/map.txt \
            share/brinefall/readme.txt share/brinefall/manifest.txt share/man/man6/brinefall.6 \
            share/doc/brinefall/README.md; do
    [ -f "$PREFIX/$file" ] || fail "not installed: $file"
done
chmod -R a-w "$PREFIX"
# Every name, kind, mode, size and time, and every file's checksum. The
# chmod does not stop root, but a file made and removed in a directory,
# even for a moment, changes the directory's time.
listing() { (cd "$PREFIX" && find . -printf '%y %m %s %T@ %p\n' | sort && find . -type f -exec sha256sum {} + | sort); }
before=$(listing)

export HOME=$WORK/home
unset XDG_DATA_HOME
mkdir -p "$HOME" "$WORK/elsewhere"
cd "$WORK/elsewhere" || exit 1
GAME=$PREFIX/bin/brinefall

# The game reads its lines from a pipe kept open, so that each answer can
# wait for what the game printed.
mkfifo "$WORK/in"
"$GAME" --plain <"$WORK/in" >"$WORK/out.txt" 2>"$WORK/err.txt" &
GAME_PID=$!
exec 3>"$WORK/in"
say() { printf '%s\n' "$1" >&3; }
# Waits up to 10 s for a fixed text to appear in the output after byte $2.
wait_for() {
    local text=$1 from=${2:-0}
    for _ in $(seq 100); do
        tail -c +"$((from + 1))" "$WORK/out.txt" | grep -qF -- "$text" && return 0
        sleep 0.1
    done
    fail "never printed: $text"
}
size() { stat -c %s "$WORK/out.txt"; }

wait_for "e. quit"
say a
say Installer
wait_for "Hello Installer"
say inv
wait_for "You have no items"
say "get shell"
say "tele 0 5"
say ri
wait_for "Area: 0  Room: 5"
person=$(grep -oE 'people here: [A-Za-z]+' "$WORK/out.txt" | tail -1 | cut -d' ' -f3)
[ -n "$person" ] || fail "nobody at the lagoon"
mark=$(size)
say "talk $person"
wait_for "$person says, \"" "$mark"
# The first option each time, until the room is shown again.
closed=""
for _ in $(seq 15); do
    mark=$(size)
    say a
    wait_for "You say, \"" "$mark"
    sleep 0.3
    if tail -c +"$((mark + 1))" "$WORK/out.txt" | grep -qF "Valid exits are:"; then closed=yes; break; fi
done
[ -n "$closed" ] || fail "the conversation did not close"
say quit
exec 3>&-
wait "$GAME_PID"
status=$?
GAME_PID=""
[ "$status" -eq 0 ] || fail "exit status $status"
[ -s "$WORK/err.txt" ] && fail "error output: $(cat "$WORK/err.txt")"

SAVES=$HOME/.local/share/brinefall
[ -f "$SAVES/Installer.mox" ] || fail "no save in $SAVES: $(ls -A "$SAVES" 2>&1)"
[ "$(stat -c %a "$SAVES")" = 700 ] || fail "save directory mode $(stat -c %a "$SAVES")"
[ -z "$(ls -A "$WORK/elsewhere")" ] || fail "files written in the working directory: $(ls -A "$WORK/elsewhere")"

# The save loads back where the game was left, with the shell carried.
printf 'c\nInstaller\nri\ninv\nquit\n' | timeout 20 "$GAME" --plain >"$WORK/out.txt" 2>&1 || fail "loading: status $?"
grep -qF "Invalid save" "$WORK/out.txt" && fail "the save did not load"
grep -qF "Area: 0  Room: 5" "$WORK/out.txt" || fail "the loaded game is not at the lagoon"
grep -qF "You have the following items: shell." "$WORK/out.txt" || fail "the loaded game lost the shell"

after=$(listing)
[ "$before" = "$after" ] || fail "the prefix changed: $(diff <(echo "$before") <(echo "$after"))"
echo "PASS: installed, played read-only with a conversation, saved in $SAVES, loaded back"
