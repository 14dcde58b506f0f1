# The map is taller than the text area of an 80x24 terminal: it stops
# after a screenful with its first line on top, goes on at a key, and
# its top can be scrolled back to with Page Up.
BIN=$1
DATA=$2
SOURCE_TREE=$3
# Ticks ten times as fast (README.md here): the pause's arrow blinks faster,
# so telling a pause from none takes less waiting.
export BRINEFALL_TEST_TICK_MS=${BRINEFALL_TEST_TICK_MS:-100}
source "$(dirname "$0")/terminal_helpers.bash"

# The map's catalogue index, from the plain world file (14 lines an item: name, description, index, ...).
map=$(awk 'NR <= 840 && NR % 14 == 1 { item = tolower($0) } NR <= 840 && NR % 14 == 3 && item == "map" { print $1; exit }' \
    "$SOURCE_TREE/content/initial.ims")
[ -n "$map" ] || fail "no catalogue item is named map"

text_row() {
    local line
    line=$(frame_row "$1")
    echo "${line:1:77}"
}
# Answers the pauses at the start of play until the room shows.
read_through() {
    for _ in $(seq 40); do
        screen_text | grep -qF -- "$1" && ! pausing && return 0
        pausing && keys Space
        sleep 0.1
    done
    fail "never showed: $1"
}

start_game 80 24
wait_for "e. quit"
keys a Enter
wait_for "Please enter your name:"
keys Mapper Enter
read_through "Valid exits are"
keys "getitem $map" Enter
keys map Enter
wait_for "THE ISLAND"
pausing || fail "the map did not stop after a screenful"
[ "$(text_row 1 | sed 's/^ *//; s/ *$//')" = "THE ISLAND  (north is up)" ] || fail "the map's first line is not on top: $(text_row 1)"
first_page=$(screen_text)
keys Space
sleep 0.2
pausing && fail "the map stopped a second time"
[ "$(screen_text)" != "$first_page" ] || fail "the map did not go on after the key"
screen_text | grep -qF "THE ISLAND" && fail "the whole map fits: this test needs a map taller than 20 rows"
# The red X of the player's place is on the rest of the map.
screen_codes | grep -qE $'\e\\[[0-9;]*(31|91)[0-9;]*mX' || fail "the map shows no red X"
# Its top is there to scroll back to.
scroll_up_to "THE ISLAND  (north is up)" 3
keys quit Enter
wait_for "exit status 0"
echo "PASS"
