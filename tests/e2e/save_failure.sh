#!/usr/bin/env bash
# Saves that cannot be written are told: the first failing autosave says
# so in red with the reason, later ones stay quiet, the next save that
# works says so, and a final save that fails is told on the terminal's own
# screen after the game, with an exit status that is not 0. The save is
# blocked by a directory in its place (the save that worked is moved
# aside), which stops even root from renaming a file over it.
source "$(dirname "$0")/items_common.bash" "$@"

BLOCK="$WORK/Data/Tester.mox"
block() { mv "$BLOCK" "$WORK/aside.mox" && mkdir "$BLOCK"; }
unblock() { rmdir "$BLOCK" && mv "$WORK/aside.mox" "$BLOCK"; }
FAILED="The game could not be saved (Is a directory); the last save is kept."

# Types harmless commands until the screen shows the text (each command
# saves when it leaves the clock's tick odd).
look_until() {
    local text=$1
    for _ in $(seq 1 40); do
        screen_text | grep -qF -- "$text" && return 0
        type_and_settle "ri"
        sleep 0.1
    done
    fail "never shown: $text"
}

count_on_screen() { text_area | grep -cF -- "$1"; }

new_game
for _ in $(seq 1 40); do
    [ -f "$BLOCK" ] && break
    type_and_settle "ri"
    sleep 0.1
done
[ -f "$BLOCK" ] || fail "the game was never saved"
block
look_until "$FAILED"
# More autosaves fail, quietly.
for _ in $(seq 1 6); do
    type_and_settle "ri"
    sleep 0.1
done
[ "$(count_on_screen "$FAILED")" -eq 1 ] || fail "the failure was told more than once"
unblock
look_until "The game is saved again."
block
type_line "quit"
wait_for "EXITED" 10
screen_text | grep -qF "EXITED 1" || fail "a failed final save ended with status 0"
screen_text | grep -qF "$FAILED" || fail "the failed final save was not told after the game"
[ "$(tmux -L "$SOCKET" display-message -p -t game '#{alternate_on}')" = "0" ] || fail "the game's screen is still shown"
echo "PASS"
