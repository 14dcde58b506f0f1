#!/usr/bin/env bash
# Sharpening a rock on another rock takes four ticks and leaves a sharp
# rock in the room; the map shows the player's room as a red X.
source "$(dirname "$0")/items_common.bash" "$@"

new_game
find_items rock map
rock=${ITEM_INDEX[rock]}
map=${ITEM_INDEX[map]}

type_and_settle "getitem $rock"
type_and_settle "getitem $rock"
type_line "use rock on rock"
wait_for "You begin sharpening the rock..." 5
wait_for "You continue sharpening the rock." 10
wait_for "You finally finish sharpening the rock into a sharp rock." 10
wait_for "You have created a sharp rock." 10
type_and_settle "get sharp rock"
screen_text | grep -qF "You pick up 1 sharp rock" || fail "the sharp rock was not lying in the room"

type_and_settle "getitem $map"
type_and_settle "map"
screen_colours | grep -qE $'\e\\[[0-9;]*(31|91)[0-9;]*mX' || fail "the map shows no red X"
screen_text | grep -qF "You do not have a map" && fail "the map was not recognised as held"
type_and_settle "quit"
wait_for "EXITED 0" 15
echo "PASS"
