# The command line: --help and --version on stdout with status 0, a wrong
# option or a missing argument gives the usage on stderr and status 2, and
# a data or save directory that cannot be used is one line on stderr,
# naming the directory and why, with status 1, before any screen is drawn.
# Usage: options.sh <brinefall binary> <Data directory>
BIN=$1
DATA=$2
set -u
export LC_ALL=C.UTF-8
WORK=$(mktemp -d)
trap 'chmod -R u+rwx "$WORK" 2>/dev/null; rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1
export HOME=$WORK/home XDG_DATA_HOME=$WORK/xdg

fail() {
    echo "FAIL: $*" >&2
    for f in out.txt err.txt; do [ -f "$f" ] && { echo "---- $f ----" >&2; cat "$f" >&2; }; done
    exit 1
}
# Runs the game with the given arguments and no input; sets $status.
run() { timeout 10 "$BIN" "$@" </dev/null >out.txt 2>err.txt; status=$?; }
lines() { wc -l <"$1"; }

run --help
[ "$status" -eq 0 ] || fail "--help: status $status"
grep -q -- "^Usage: brinefall" out.txt || fail "--help: no usage on stdout"
for option in --plain --no-color --data-dir --save-dir --version; do
    grep -q -- "$option" out.txt || fail "--help does not mention $option"
done
[ -s err.txt ] && fail "--help wrote to stderr"

run --version
[ "$status" -eq 0 ] || fail "--version: status $status"
grep -qE "^brinefall [0-9]+\.[0-9]+\.[0-9]+$" out.txt || fail "--version: $(cat out.txt)"
[ "$(lines out.txt)" -eq 1 ] || fail "--version: more than one line"

for wrong in "--frobnicate" "--data-dir" "--save-dir" "-x" "stray"; do
    # shellcheck disable=SC2086
    run $wrong
    [ "$status" -eq 2 ] || fail "$wrong: status $status"
    grep -q -- "^Usage: brinefall" err.txt || fail "$wrong: no usage on stderr"
    [ -s out.txt ] && fail "$wrong: wrote to stdout"
done

# Data that cannot be read: missing, not a directory, a directory without
# the world, and (unless root, who reads anything) one without permission.
touch plainfile
mkdir empty
for data in "$WORK/missing" "$WORK/plainfile" "$WORK/empty"; do
    run --data-dir "$data" --plain
    [ "$status" -eq 1 ] || fail "data $data: status $status"
    [ "$(lines err.txt)" -eq 1 ] || fail "data $data: not one line"
    grep -qF "brinefall: cannot read the game data in $data: " err.txt || fail "data $data: $(cat err.txt)"
    [ -s out.txt ] && fail "data $data: the game started"
done
grep -qF "initial.mox: No such file or directory" err.txt || fail "the missing world is not named"
if [ "$(id -u)" -ne 0 ]; then
    cp -r "$DATA" locked && chmod 000 locked
    run --data-dir "$WORK/locked"
    [ "$status" -eq 1 ] && grep -qF "Permission denied" err.txt || fail "unreadable data: $(cat err.txt)"
fi

# A save directory that cannot be made: below a file.
run --data-dir "$DATA" --save-dir "$WORK/plainfile/saves" --plain
[ "$status" -eq 1 ] || fail "save dir below a file: status $status"
[ "$(lines err.txt)" -eq 1 ] || fail "save dir: not one line"
grep -qF "brinefall: cannot create the save directory $WORK/plainfile/saves: $WORK/plainfile: Not a directory" err.txt ||
    fail "save dir: $(cat err.txt)"
# Nor the default one, when HOME is a file.
HOME=$WORK/plainfile XDG_DATA_HOME= run --data-dir "$DATA" --plain
[ "$status" -eq 1 ] && grep -qF "$WORK/plainfile/.local/share/brinefall" err.txt || fail "HOME a file: $(cat err.txt)"

# The save directory is only made when a game is saved, with mode 0700,
# under XDG_DATA_HOME when that is set.
printf 'e\n' | timeout 10 "$BIN" --data-dir "$DATA" >out.txt 2>err.txt || fail "menu quit: status $?"
[ -e "$XDG_DATA_HOME" ] && fail "a save directory was made without a save"
printf 'a\nOpter\nquit\n' | timeout 10 "$BIN" --data-dir "$DATA" >out.txt 2>err.txt || fail "new game: status $?"
[ -f "$XDG_DATA_HOME/brinefall/Opter.mox" ] || fail "no save under XDG_DATA_HOME"
[ "$(stat -c %a "$XDG_DATA_HOME/brinefall")" = 700 ] || fail "save directory mode"
[ -e "$HOME" ] && fail "HOME was used though XDG_DATA_HOME is set"
[ "$(stat -c %a "$XDG_DATA_HOME/brinefall/Opter.mox")" = 600 ] || fail "a save others can read"

# An empty directory name is a slip, not a wish for the default one.
for option in --save-dir --data-dir; do
    run "$option" "" --plain
    [ "$status" -eq 2 ] || fail "$option '': status $status"
    grep -qF -- "$option needs a directory" err.txt || fail "$option '': $(cat err.txt)"
done

# Every data file is read and checked before the menu: a damaged one is
# one line naming the file and what is wrong, with status 1, and nothing
# hangs on a FIFO or throws on a directory.
damage() {  # <file> <what is done to it> <expected words>
    rm -rf broken && cp -r "$DATA" broken && rm -f "broken/$1"
    case $2 in
        directory) mkdir "broken/$1" ;;
        fifo) mkfifo "broken/$1" ;;
        cut) head -c 5000 "$DATA/$1" >"broken/$1" ;;
    esac
    run --data-dir "$WORK/broken" --save-dir "$WORK/saves" --plain
    [ "$status" -eq 1 ] || fail "$1 ($2): status $status"
    [ "$(lines err.txt)" -eq 1 ] || fail "$1 ($2): not one line"
    grep -qF "brinefall: damaged game data in $WORK/broken: $3" err.txt || fail "$1 ($2): $(cat err.txt)"
    [ -s out.txt ] && fail "$1 ($2): the game started"
}
damage initial.mox directory "initial.mox: Is a directory"
damage initial.mox cut "initial.mox: it ends too soon"
damage Angry.mox directory "Angry.mox: Is a directory"
damage map.txt fifo "map.txt: not a regular file"
rm -rf broken && cp -r "$DATA" broken && printf '0 8|rock|A rock.\n99 1|ghost|Nothing.\n' >broken/things.txt
run --data-dir "$WORK/broken" --plain
[ "$status" -eq 1 ] && grep -qF "things.txt: line 2 " err.txt || fail "broken things: $(cat err.txt)"
echo "PASS"
