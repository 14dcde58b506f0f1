# Started with standard input, output or error closed, the game never
# takes that number for a pipe or a save of its own: a closed input is the
# end of input (the game ends at once, never reading its own wake pipe),
# and with output or error output closed the save it writes loads again.
# Usage: closed_descriptors.sh <brinefall binary> <Data directory>
BIN=$1
DATA=$2
source "$(dirname "$0")/plain_helpers.bash"
GAME="$BIN --data-dir $DATA --save-dir $WORK/saves"

# shellcheck disable=SC2086
timeout 10 $GAME <&- >out.txt 2>err.txt
status=$?
[ "$status" -eq 124 ] && fail "standard input closed: the game waits for ever"
[ "$status" -eq 0 ] && grep -qF "e. quit" out.txt || fail "standard input closed: status $status"
[ -s err.txt ] && fail "standard input closed: error output"

for closed in 1 2; do
    name=Closed$closed
    # shellcheck disable=SC2086
    printf 'a\n%s\nri\nquit\n' "$name" | eval "timeout 10 $GAME >/dev/null $closed>&-" || fail "$closed closed: status $?"
    # shellcheck disable=SC2086
    printf 'c\n%s\nri\nquit\n' "$name" | timeout 10 $GAME >out.txt 2>err.txt || fail "$closed closed: load status $?"
    grep -qF "Area: 0  Room: 8" out.txt || fail "descriptor $closed closed: the save does not load"
    [ -s err.txt ] && fail "descriptor $closed closed: error output on the load"
done
echo "closed descriptors: ok"
