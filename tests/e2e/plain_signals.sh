# The plain front end (--plain, pipes, screen readers) ends on SIGTERM,
# SIGHUP and SIGINT as "quit" does: the game is saved whole, the signal's
# own status is returned, and the save loads again. Each signal is tried
# in play, waiting for its next line, and once in the menu.
# Usage: plain_signals.sh <brinefall binary> <Data directory>
BIN=$1
DATA=$2
set -u
export LC_ALL=C.UTF-8
WORK=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
cd "$WORK" || exit 1
GAME="$BIN --plain --data-dir $DATA --save-dir $WORK/saves"

fail() {
    echo "FAIL: $*" >&2
    for f in out.txt err.txt; do [ -f "$f" ] && { echo "---- $f ----" >&2; cat "$f" >&2; }; done
    exit 1
}

wait_for_output() {
    for _ in $(seq 500); do grep -qF "$1" out.txt && return 0; sleep 0.02; done
    fail "$2: \"$1\" never shown"
}

# Starts the game reading from a FIFO that stays open, so it waits for
# more; types the lines given (a printf format and its arguments).
start_game() {
    rm -f input
    mkfifo input
    # shellcheck disable=SC2086
    $GAME <input >out.txt 2>err.txt &
    pid=$!
    exec 3>input
    # shellcheck disable=SC2059
    printf "$@" >&3
}

# Sends the signal and waits for the game to end; sets $status.
signal_game() {
    kill -"$1" "$pid"
    # (bash's own note that its job was ended by the signal is not wanted)
    for _ in $(seq 500); do kill -0 "$pid" 2>/dev/null || break; sleep 0.02; done 2>/dev/null
    kill -0 "$pid" 2>/dev/null && fail "SIG$1: the game goes on"
    wait "$pid" 2>/dev/null
    status=$?
    pid=
    exec 3>&-
}

n=0
for sig in TERM HUP INT; do
    case $sig in HUP) number=1 ;; INT) number=2 ;; TERM) number=15 ;; esac
    n=$((n + 1))
    name=Signal$n
    start_game 'a\n%s\nn\nri\n' "$name"
    wait_for_output "Area: 4  Room: 7" "SIG$sig"
    signal_game "$sig"
    [ "$status" -eq $((128 + number)) ] || fail "SIG$sig in play: status $status"
    [ -s "saves/$name.mox" ] || fail "SIG$sig in play: not saved"
    [ -s err.txt ] && fail "SIG$sig in play: error output"
    # The save holds the step north taken before the signal.
    # shellcheck disable=SC2086
    printf 'c\n%s\nri\nquit\n' "$name" | timeout 10 $GAME >out.txt 2>err.txt ||
        fail "SIG$sig: the load ended with status $?"
    grep -qF "Area: 4  Room: 7" out.txt || fail "SIG$sig: the save does not hold the game as it was"
done

# In the menu nothing is saved, and the game still ends by the signal.
start_game ""
wait_for_output "e. quit" "SIGTERM in the menu"
signal_game TERM
[ "$status" -eq 143 ] || fail "SIGTERM in the menu: status $status"
echo "plain signals: ok"
