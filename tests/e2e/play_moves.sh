#!/usr/bin/env bash
# A new game in a real terminal: moves by word and by keypad, get and drop
# with counts, the inventory, then a day skip whose morning must come
# within two seconds.
# Usage: play_moves.sh <brinefall binary> <built Data directory>
BIN=$1
DATA=$2
source "$(dirname "$0")/terminal_helpers.bash"

# The screen as plain ASCII text (frame glyphs dropped).
screen() { screen_text | LC_ALL=C sed 's/[\x80-\xff]//g; s/[[:space:]]*$//'; }
# The newest lines of the text area: the last n non-empty lines above the input row.
recent() { screen | head -n 47 | grep -v '^[[:space:]|+-]*$' | tail -n "${1:-6}"; }
newest() { recent 1; }

now_ms() { echo $(($(date +%s%N) / 1000000)); }
# Waits up to $2 seconds (default 5) until the newest lines (last $3) match the pattern.
wait_for_recent() {
    local pattern=$1 seconds=${2:-5} lines=${3:-6}
    local deadline=$(($(now_ms) + seconds * 1000))
    while (($(now_ms) <= deadline)); do
        if recent "$lines" | grep -Eq -- "$pattern"; then return 0; fi
        sleep 0.05
    done
    fail "no \"$pattern\" within ${seconds}s"
}
room_now() {
    type_line "ri"
    wait_for_recent '^.?Area: [0-9]+  Room: [0-9]+' 5 1
    newest | sed -E 's/.*(Area: [0-9]+  Room: [0-9]+).*/\1/'
}
# The exits of the room, from the newest exits line, one per line.
exits_now() {
    recent 8 | grep 'Valid exits are:' | tail -n 1 | sed -E 's/.*Valid exits are: ?//; s/\..*//; s/, /\n/g'
}
keypad_for() {
    case $1 in
        north) echo 8 ;; northeast) echo 9 ;; east) echo 6 ;; southeast) echo 3 ;;
        south) echo 2 ;; southwest) echo 1 ;; west) echo 4 ;; northwest) echo 7 ;;
    esac
}

start_game
new_game Tester
wait_for_recent 'Valid exits are:' 10

# A move by word.
start=$(room_now)
first=$(exits_now | head -n 1)
[ -n "$first" ] || fail "the starting room shows no exits"
type_line "$first"
wait_for_recent 'Valid exits are:' 5 3
second_room=$(room_now)
[ "$second_room" != "$start" ] || fail "\"$first\" did not move the player ($start)"

# A move by keypad, with nothing typed.
word=$(exits_now | head -n 1)
[ -n "$word" ] || fail "no exit from $second_room"
keys "KP$(keypad_for "$word")"
wait_for_recent 'Valid exits are:' 5 3
third_room=$(room_now)
[ "$third_room" != "$second_room" ] || fail "keypad $(keypad_for "$word") ($word) did not move the player"

# Keypad 5 looks around.
keys KP5
wait_for_recent 'You see (no items here|the following items)' 5 30

# Get and drop with counts. Find a portable item whose name can be typed:
# take one with the debug command, drop it, and pick it up again.
name=""
for index in $(seq 0 59); do
    type_line "getitem $index"
    type_line "inv"
    wait_for_recent 'You have the following items: ' 5 1
    # The newest kind of item is listed last.
    candidate=$(newest | sed -E 's/.*following items: //; s/.*, //; s/\..*//')
    # Skip names that cannot be typed (the line editor takes letters, digits and blanks).
    [[ "$candidate" =~ ^[A-Za-z][A-Za-z0-9\ ]*$ ]] || continue
    type_line "drop $candidate"
    wait_for_recent "You drop 1 $candidate\." 5 1
    type_line "get $candidate"
    # Either it comes back (its description may wrap) or the refusal is the newest line.
    deadline=$(($(now_ms) + 5000))
    while (($(now_ms) <= deadline)); do
        if recent 4 | grep -q "You pick up 1 $candidate, "; then name=$candidate; break 2; fi
        if newest | grep -q "You cannot pick up this item"; then continue 2; fi
        sleep 0.05
    done
    fail "\"get $candidate\" was not answered"
done
[ -n "$name" ] || fail "no portable item to carry"
for _ in 1 2 3; do type_line "getitem $index"; done
case $name in
    handcuffs | glasses) plural=$name ;;
    *) plural="${name}s" ;;
esac
[ "$name" = "Wood" ] && listed="2 Wood" || listed="2 ${name}s"
type_line "drop 2 $plural"
wait_for_recent "You drop 2 $name\." 5 1
type_line "inventory"
wait_for_recent "(: |, )$listed\." 5 2
type_line "get 2 $plural"
wait_for_recent "You pick up 2 $name, " 5 4
type_line "drop 03 $name"
wait_for_recent "You drop 3 $name\." 5 1
type_line "i"
wait_for_recent "(: |, )$name\." 5 2

# Skip to day 5: its morning comes on the next tick.
type_line "dayskip 5"
wait_for_recent 'You are awakened today by the whipping of the wind|In the middle of the night you wake up' 2 12
if recent 12 | grep -q 'In the middle of the night'; then
    echo "note: the murderer struck the player in the night before day 5; the night ran, the morning could not"
else
    type_line "quit"
    wait_for "exit status 0"
fi
echo "PASS: moves, counts, inventory and day skip"
