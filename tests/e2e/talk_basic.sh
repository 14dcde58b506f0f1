#!/usr/bin/env bash
# A real conversation in a real terminal: start a new game, go to a room
# where an islander stands, talk to them by name in mixed case, answer
# until the conversation ends, and see the room shown again.
#   bash talk_basic.sh <brinefall binary> <Data dir>
BIN=$1
DATA=$2
source "$(dirname "$0")/terminal_helpers.bash"

# The text of the last room view on screen between its items line and its
# exits line: where the people present are listed.
people_in_last_view() {
    screen_text | awk '
        /You see (no items here|the following items)/ { block = ""; inview = 1; next }
        /Valid exits are:/ { if (inview) last = block; inview = 0; next }
        inview { block = block $0 " " }
        END { printf "%s", last }'
}
# Everything on screen after the last line the player said.
after_last_reply() { screen_text | awk '/You say, "/ { text = "" } { text = text $0 "\n" } END { printf "%s", text }'; }

start_game
new_game Tester

# Find a room with someone in it: the islanders' camp first, then the rest.
person=""
rooms_in_area=(15 17 11 16 15 20 20 20 23 16 15 8 1)
for area in 6 0 1 2 3 4 5 7 8 9 10; do
    for room in $(seq 0 $((rooms_in_area[area] - 1))); do
        type_line "tele $area $room"
        type_line ri  # its answer shows that the view above is complete
        wait_for_match "Area: $area  Room: $room( |$)"
        people="$(people_in_last_view)"
        if grep -q 'people here: ' <<<"$people"; then
            person="$(sed -E 's/.*people here: ([A-Za-z]+).*/\1/' <<<"$people")"
            break 2
        fi
    done
done
[[ -n "$person" ]] || fail "no islander found in any room"

# Mixed case: "TaLk To" and the name with its case swapped.
mixed="$(tr 'a-zA-Z' 'A-Za-z' <<<"$person")"
type_line "TaLk To $mixed"
wait_for "$person says, \""
screen_text | grep -Eq '(^|[^A-Za-z])[Aa][).:-]' || fail "no lettered options offered"

# Answer with the first option until the islander's script closes the
# conversation and the room is shown again.
closed=""
for turn in $(seq 1 15); do
    type_line a
    sleep 0.4
    after="$(after_last_reply)"
    if grep -q 'Valid exits are:' <<<"$after"; then
        closed="yes"
        break
    fi
    grep -q 'You must enter a valid choice' <<<"$after" && fail "the first option was refused"
done
[[ -n "$closed" ]] || fail "the conversation did not close after 15 answers"

# Commands are obeyed again: "ri" is answered below the conversation.
type_line ri
answered=""
for _ in $(seq 1 50); do
    if after_last_reply | grep -Eq "Area: $area  Room: $room( |$)"; then answered="yes"; break; fi
    sleep 0.1
done
[[ -n "$answered" ]] || fail "ri was not answered after the conversation"
type_line quit
wait_for "exit status 0"
echo "PASS: talked to $person"
