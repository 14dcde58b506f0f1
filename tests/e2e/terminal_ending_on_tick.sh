# An ending that comes on the clock's tick while the player waits at the
# prompt. The game waits for input with no timeout, so it must be woken:
# the plain front end ends by itself though its input stays open; in the
# terminal the ending's key pauses blink with no key pressed, one key ends
# each, and no further key is needed to leave.
BIN=$1
DATA=$2
# The credits roll at ten times the speed of play (README.md here).
export BRINEFALL_TEST_TICK_MS=${BRINEFALL_TEST_TICK_MS:-100}
source "$(dirname "$0")/terminal_helpers.bash"

# The plain front end, its input a pipe that stays open.
mkdir "$WORK/plain"
cp -r "$WORK/Data" "$WORK/plain/Data"
mkfifo "$WORK/plain/in"
(cd "$WORK/plain" && exec timeout 30 $BIN <in >out.txt 2>&1) &
game=$!
exec 3>"$WORK/plain/in"
# The seventeenth morning brings hunger: the ending comes with the next tick.
printf 'a\nWaker\ndayskip 17\n' >&3
SECONDS=0
wait "$game"
status=$?
took=$SECONDS
exec 3>&-
[ "$status" -eq 0 ] || fail "plain front end: exit status $status after ${took} s: $(tail -3 "$WORK/plain/out.txt")"
grep -qF "You have starved to death." "$WORK/plain/out.txt" || fail "plain front end: no ending"
[ "$took" -le 5 ] || fail "plain front end: ended ${took} s after the day skip"

# The terminal.
start_game
new_game Idler
wait_for "Valid exits"
keys "dayskip 17" Enter
wait_for "Thanks for playing!"

# The pause's arrow (code page 437 down arrow) on the text area's last row.
arrow_shown() {
    local line
    line=$(row 46)
    [[ ${line:1:77} == *"↓"* ]]
}
# Waits for a pause, checks that it blinks with no key pressed, and ends it.
blinks_then_key() {
    for _ in $(seq 100); do pausing && break; done
    pausing || fail "no pause arrow ($1)"
    local shown=0 hidden=0
    # The arrow is on and off for half a tick each: a few ticks show both.
    for _ in $(seq 60); do
        if arrow_shown; then shown=$((shown + 1)); else hidden=$((hidden + 1)); fi
        [ "$hidden" -gt 0 ] && [ "$shown" -gt 0 ] && break
        sleep 0.01
    done
    [ "$hidden" -gt 0 ] && [ "$shown" -gt 0 ] || fail "the pause arrow did not blink ($1: $shown on, $hidden off)"
    keys x
    sleep 0.3
}
# The credits stop before they would push the ending's first line away,
# and the pause says so on the input row.
for _ in $(seq 100); do pausing && break; done
pausing || fail "the credits did not wait before the ending's first line went"
[[ "$(input_row)" == *"[more: any key]" ]] || fail "the page's pause says nothing: $(input_row)"
keys Space
sleep 0.3
blinks_then_key "after the credits"
blinks_then_key "the ending's last"
wait_for "exit status 0"
echo "PASS"
