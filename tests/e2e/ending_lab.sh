#!/usr/bin/env bash
# The laboratory ending: the three shapes at the keypad wall, the code,
# the walk north, the ending and the credits; the program then ends with
# the terminal back in its normal modes.
source "$(dirname "$0")/items_common.bash" "$@"

new_game
find_items pyramid cube sphere

type_and_settle "tele 9 7"
for shape in pyramid cube sphere; do
    type_and_settle "getitem ${ITEM_INDEX[$shape]}"
    type_and_settle "use $shape"
done
wait_for "Please enter lab code" 5
type_line "5830"
wait_for "faintly lit hallway" 5
type_line "north"

# Every pause of the ending and the credits waits for a key.
thanked=0
for _ in $(seq 1 300); do
    screen_text | grep -qF "Thanks for playing!" && thanked=1
    screen_text | grep -qF "EXITED" && break
    tmux -L "$SOCKET" send-keys -t game Enter
    sleep 0.08
done
[ "$thanked" -eq 1 ] || fail "the ending never thanked the player"
screen_text | grep -qF "EXITED 0" || fail "the program did not end with status 0"
[ "$(tmux -L "$SOCKET" display-message -p -t game '#{alternate_on}')" = "0" ] || fail "the terminal is still on the alternate screen"
grep -qE '(^| )icanon( |$)' "$WORK/stty.txt" || fail "canonical input was not restored"
grep -qE '(^| )echo( |$)' "$WORK/stty.txt" || fail "echo was not restored"
echo "PASS"
