# The plain front end (--plain, pipes, screen readers) ends on SIGTERM,
# SIGHUP and SIGINT as "quit" does: the game is saved whole, the program
# ends by the signal, and the save loads where the player stood; in the
# menu it ends by the signal too.
# Usage: plain_signals.sh <brinefall binary> <Data directory>
BIN=$1
DATA=$2
source "$(dirname "$0")/plain_helpers.bash"
pid=
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$WORK"' EXIT
GAME="$BIN --plain --data-dir $DATA --save-dir $WORK/saves"

# Plays the lines given (a printf format and its arguments) from a FIFO
# kept open, waits for the text, sends the signal; sets $status.
play_then_signal() {  # <signal> <text to wait for> <format> [arguments]
    local sig=$1 text=$2
    shift 2
    rm -f input && mkfifo input
    # shellcheck disable=SC2086
    $GAME <input >out.txt 2>err.txt &
    pid=$!
    exec 3>input
    # shellcheck disable=SC2059
    printf "$@" >&3
    for _ in $(seq 500); do grep -qF "$text" out.txt && break; sleep 0.02; done
    grep -qF "$text" out.txt || fail "SIG$sig: \"$text\" never shown"
    kill -"$sig" "$pid"
    # (bash's own note that its job was ended by the signal is not wanted)
    for _ in $(seq 500); do kill -0 "$pid" 2>/dev/null || break; sleep 0.02; done 2>/dev/null
    kill -0 "$pid" 2>/dev/null && fail "SIG$sig: the game goes on"
    wait "$pid" 2>/dev/null
    status=$?
    pid=
    exec 3>&-
}

for sig in TERM HUP INT; do
    name=Sig$(kill -l "$sig")
    play_then_signal "$sig" "Area: 4  Room: 7" 'a\n%s\nn\nri\n' "$name"
    [ "$status" -eq $((128 + $(kill -l "$sig"))) ] || fail "SIG$sig: status $status"
    [ -s err.txt ] && fail "SIG$sig: error output"
    # shellcheck disable=SC2086
    printf 'c\n%s\nri\nquit\n' "$name" | timeout 10 $GAME >out.txt 2>err.txt || fail "SIG$sig: load status $?"
    grep -qF "Area: 4  Room: 7" out.txt || fail "SIG$sig: the save does not hold the step north"
done
play_then_signal TERM "e. quit" ''
[ "$status" -eq 143 ] || fail "SIGTERM in the menu: status $status"
echo "plain signals: ok"
