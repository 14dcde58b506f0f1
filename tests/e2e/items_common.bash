# Shared by the item and ending end-to-end tests: starts the game in a
# private tmux server on an 80x50 pane, with a private copy of the Data
# directory, and offers small helpers to type and to read the screen.
# Usage (sourced): items_common.bash <binary> <datadir>

set -u
# Ticks and the game's timed pauses ten times as fast as in play (README.md here).
export BRINEFALL_TEST_TICK_MS=${BRINEFALL_TEST_TICK_MS:-100}
BINARY=$(realpath "$1")
DATA_SOURCE=$(realpath "$2")
SOURCE_TREE=${3:-}
SOCKET="brinefall-$$"
WORK=$(mktemp -d)

cleanup() {
    tmux -L "$SOCKET" kill-server 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    echo "---- screen ----"
    screen_text
    exit 1
}

screen_text() { tmux -L "$SOCKET" capture-pane -p -t game 2>/dev/null; }
screen_colours() { tmux -L "$SOCKET" capture-pane -p -e -t game 2>/dev/null; }

# Starts the game; after it ends the pane reports its status and the terminal modes.
start_game() {
    cp -r "$DATA_SOURCE" "$WORK/Data"
    tmux -L "$SOCKET" -f /dev/null new-session -d -s game -x 80 -y 50 \
        "cd '$WORK' && '$BINARY' --data-dir Data --save-dir Data; echo \"EXITED \$?\"; stty -a > '$WORK/stty.txt'; sleep 600"
}

# Waits until the screen shows the text (fixed string); fails after the timeout.
wait_for() {
    local text=$1 timeout=${2:-10} waited=0
    while ! screen_text | grep -qF -- "$text"; do
        sleep 0.02
        waited=$((waited + 1))
        [ "$waited" -ge $((timeout * 50)) ] && fail "timed out waiting for: $text"
    done
}

# Types a line and presses Enter.
type_line() {
    tmux -L "$SOCKET" send-keys -t game -l -- "$1"
    tmux -L "$SOCKET" send-keys -t game Enter
}

# Types a line, then waits until the screen has changed and stays still a
# moment; a command that prints nothing (getitem) is done once the input
# row is empty again and the screen still.
type_and_settle() {
    local before after previous waited=0
    before=$(screen_text)
    type_line "$1"
    previous=$before
    while true; do
        sleep 0.05
        waited=$((waited + 1))
        after=$(screen_text)
        if [ "$after" = "$previous" ]; then
            [ "$after" != "$before" ] && return 0
            [ "$waited" -ge 6 ] && sed -n 49p <<<"$after" | grep -qE '^║> +║$' && return 0
        fi
        previous=$after
        [ "$waited" -ge 100 ] && return 0
    done
}

# The front menu: a new game for the player Tester.
new_game() {
    start_game
    local waited=0
    while ! screen_text | grep -qE "start new game|EXITED"; do
        sleep 0.1
        waited=$((waited + 1))
        [ "$waited" -ge 150 ] && fail "the front menu never appeared"
    done
    # A binary whose console is the in-memory one draws nothing and ends at once.
    if [ "$(screen_text | grep -v '^ *$')" = "EXITED 0" ]; then
        echo "SKIP: this binary has no terminal front end yet (it drew nothing and ended)"
        exit 0
    fi
    wait_for "start new game" 15
    type_line "a"
    wait_for "Please enter your name" 10
    type_line "Tester"
    wait_for "Hello" 10
}

# The text area without its frame and scroll bar, one screen line per line.
text_area() {
    screen_text | sed -E -e 's/^║//' -e 's/(▒|↑|↓|█)?║$//' -e 's/ +$//'
}

# The entries of the newest inventory sentence (joined across wrapped lines), one per line.
inventory_entries() {
    type_and_settle "inv"
    text_area | awk '
        /You have (the following items|no items)/ { sentence = $0; open = ($0 !~ /\./); next }
        open { sentence = sentence " " $0; if ($0 ~ /\./) open = 0 }
        END { print sentence }' |
        sed -e 's/.*following items: //' -e 's/\..*//' -e 's/.*You have no items.*//' |
        tr ',' '\n' | sed -e 's/^ *//' -e 's/ *$//' | grep -v '^$'
}

# Finds the catalogue indices of the named items with the debug command
# getitem: each index is fetched, looked at in the inventory and dropped
# again. Sets ITEM_INDEX[name] for every name found.
declare -A ITEM_INDEX
find_items() {
    local wanted=("$@") index newest name previous=""
    # With the source tree at hand, the plain world file names every index
    # (each item record is 14 lines: name, description, index, ...).
    local world="$SOURCE_TREE/content/initial.ims"
    if [ -n "$SOURCE_TREE" ] && [ -f "$world" ]; then
        for name in "${wanted[@]}"; do
            index=$(awk -v want="${name,,}" 'NR <= 840 && NR % 14 == 1 { item = tolower($0) }
                NR <= 840 && NR % 14 == 3 && item == want { print $1; exit }' "$world")
            [ -n "$index" ] || fail "no catalogue item is named $name"
            ITEM_INDEX[$name]=$index
        done
        return 0
    fi
    for index in $(seq 0 59); do
        type_line "getitem $index"
        newest=$(inventory_entries | tail -1)
        # A clock message may have changed the screen first: look once more.
        [ "$newest" = "$previous" ] && newest=$(inventory_entries | tail -1)
        previous=$newest
        for name in "${wanted[@]}"; do
            if [ "${newest,,}" = "${name,,}" ] && [ -z "${ITEM_INDEX[$name]:-}" ]; then
                ITEM_INDEX[$name]=$index
            fi
        done
        [ -n "$newest" ] && type_and_settle "drop $newest"
        local missing=0
        for name in "${wanted[@]}"; do [ -z "${ITEM_INDEX[$name]:-}" ] && missing=1; done
        [ "$missing" -eq 0 ] && return 0
    done
    for name in "${wanted[@]}"; do
        [ -z "${ITEM_INDEX[$name]:-}" ] && fail "no catalogue item is named $name"
    done
}
