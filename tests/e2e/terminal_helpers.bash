# Shared by the terminal end-to-end scripts: a private tmux server running
# an interactive shell in a temporary copy of the Data directory.
# Usage: source this file after setting BIN and DATA.
set -u
export LC_ALL=C.UTF-8

WORK=$(mktemp -d)
SOCK=brinefall-$$
PANE=game

cleanup() {
    tmux -L "$SOCK" kill-server 2>/dev/null
    # A game the hang-up ended may still be saving into the folder.
    for _ in $(seq 50); do pgrep -f "^$BIN\$" >/dev/null || break; sleep 0.05; done
    rm -rf "$WORK"
}
trap cleanup EXIT

if [ -d "$DATA" ]; then cp -r "$DATA" "$WORK/Data"; else mkdir "$WORK/Data"; fi
# The game reads its data and keeps its saves in the Data of the directory
# it runs in ($WORK here); $BIN is used unquoted, options and all.
BIN="$(realpath "$BIN") --data-dir Data --save-dir Data"

fail() {
    echo "FAIL: $*" >&2
    echo "---- screen ----" >&2
    tmux -L "$SOCK" capture-pane -p -t "$PANE" >&2 2>/dev/null
    exit 1
}

# The window's size, as start_shell and resize set it.
SCREEN_COLS=80
SCREEN_ROWS=50

# A shell of its own in a window of the given size (default 80x50), in
# $GAME_DIR when set (a folder with its own Data), else in $WORK. Each
# window is a session of the private server named $PANE.
start_shell() {
    local width=${1:-80} height=${2:-50}
    SCREEN_COLS=$width
    SCREEN_ROWS=$height
    tmux -L "$SOCK" -f /dev/null new-session -d -s "$PANE" -x "$width" -y "$height" -c "${GAME_DIR:-$WORK}" \
        "env PS1='$ ' bash --norc --noprofile"
    tmux -L "$SOCK" set-option -t "$PANE" -g status off >/dev/null
    tmux -L "$SOCK" resize-window -t "$PANE" -x "$width" -y "$height" 2>/dev/null
    wait_for_shell
}

# A shell of its own (as start_shell) running the game; the shell stays
# when the game ends, and says "exit status N".
start_game() {
    start_shell "$@"
    run_game
}

# Runs the game in the shell already there, with the environment settings
# given (VAR=value ...).
run_game() {
    tmux -L "$SOCK" send-keys -t "$PANE" "$* $BIN; echo \"exit status \$?\"" Enter
}

screen_text() { tmux -L "$SOCK" capture-pane -p -t "$PANE"; }
screen_codes() { tmux -L "$SOCK" capture-pane -p -e -t "$PANE"; }
# The screen as it looks: each row's characters with the colours that show,
# a letter's foreground and background, a blank's background alone (its
# foreground is never seen), each row on its own; reverse video shows as
# the colours swapped.
visible_codes() {
    screen_codes | LC_ALL=C awk '
        BEGIN { fg = "-"; bg = "-"; rev = 0; esc = sprintf("%c", 27) }
        function swapped(code, by) { return code ~ /^[0-9]+$/ && code != 1 ? code + by : code }
        function sgr(params,    p, n, i, v) {
            n = split(params, p, ";")
            if (params == "") { fg = "-"; bg = "-"; rev = 0; return }
            for (i = 1; i <= n; i++) {
                v = p[i] + 0
                if (v == 0) { fg = "-"; bg = "-"; rev = 0 }
                else if (v == 7) rev = 1
                else if (v == 27) rev = 0
                else if ((v >= 30 && v <= 37) || (v >= 90 && v <= 97) || v == 1) fg = v
                else if (v == 39) fg = "-"
                else if ((v >= 40 && v <= 47) || (v >= 100 && v <= 107)) bg = v
                else if (v == 49) bg = "-"
                else if ((v == 38 || v == 48) && p[i + 1] == 5) { if (v == 38) fg = "x" p[i + 2]; else bg = "x" p[i + 2]; i += 2 }
            }
        }
        {
            out = ""; shownFg = ""; shownBg = ""; line = $0; n = length(line); i = 1
            while (i <= n) {
                c = substr(line, i, 1)
                if (c == esc && substr(line, i + 1, 1) == "[") {
                    j = i + 2
                    while (j <= n && substr(line, j, 1) !~ /[@-~]/) j++
                    if (substr(line, j, 1) == "m") sgr(substr(line, i + 2, j - i - 2))
                    i = j + 1
                    continue
                }
                f = rev ? swapped(bg, -10) : fg
                b = rev ? swapped(fg, 10) : bg
                if (c != " " && f != shownFg) { out = out "{" f "}"; shownFg = f }
                if (b != shownBg) { out = out "[" b "]"; shownBg = b }
                out = out c
                i++
            }
            print out
        }'
}
# Row y of the screen (0-based).
row() { screen_text | sed -n "$(( $1 + 1 ))p"; }
keys() { tmux -L "$SOCK" send-keys -t "$PANE" "$@"; }
# Types a line as it is and presses Enter.
type_line() {
    keys -l -- "$1"
    keys Enter
}
hex_keys() { tmux -L "$SOCK" send-keys -t "$PANE" -H "$@"; }

# Waits up to 10 s until grep, with the options given, finds the screen's
# text; else fails with the first argument.
wait_for_grep() {
    local why=$1
    shift
    for _ in $(seq 500); do
        screen_text | grep -q "$@" && return 0
        sleep 0.02
    done
    fail "$why"
}
# A fixed text on the screen.
wait_for() { wait_for_grep "never showed: $1" -F -- "$1"; }
# A line of the screen that matches an extended regular expression.
wait_for_match() { wait_for_grep "never matched: $1" -E -- "$1"; }

# Waits up to 10 s for a cleared shell: its prompt alone on the top row.
wait_for_shell() {
    for _ in $(seq 500); do
        [ "$(row 0)" = '$' ] && return 0
        sleep 0.02
    done
    fail "the shell's prompt never showed on the top row"
}

# Waits up to 5 s for a condition (a command, run afresh each time) to hold;
# the check that follows says what was wrong if it never does.
wait_until() {
    for _ in $(seq 250); do
        eval "$1" && return 0
        sleep 0.02
    done
    return 1
}

# Waits until the screen has stopped changing (text and colours alike):
# what a key or a resize set off has been drawn.
settle() {
    local before now
    before=$(screen_codes)
    for _ in $(seq 100); do
        sleep 0.05
        now=$(screen_codes)
        [ "$now" = "$before" ] && return 0
        before=$now
    done
    fail "the screen never settled"
}

# Pages up, at most n times (default 20), until a fixed text shows; each
# Page Up is waited for until the page has moved.
scroll_up_to() {
    local text=$1 before
    for _ in $(seq "${2:-20}"); do
        screen_text | grep -qF -- "$text" && return 0
        before=$(screen_text)
        keys PPage
        for _ in $(seq 25); do
            [ "$(screen_text)" != "$before" ] && break
            sleep 0.02
        done
    done
    screen_text | grep -qF -- "$text" || fail "scrolling up never showed: $text"
}

# Resizes the window; the game lays its screen out again.
resize() {
    SCREEN_COLS=$1
    SCREEN_ROWS=$2
    tmux -L "$SOCK" resize-window -t "$PANE" -x "$1" -y "$2"
}

# The 80 cells of the frame on row y, without the margin of a wider window.
frame_row() {
    local line
    line=$(row "$1")
    echo "${line:$(( (SCREEN_COLS - 80) / 2 )):80}"
}

# True while a "/s" pause waits: its arrow in the text area's last row is on
# and off for half a tick each, so this looks for a little longer than that.
pausing() {
    local line tick=${BRINEFALL_TEST_TICK_MS:-1000} step
    printf -v step '%d.%03d' $((tick / 20000)) $((tick / 20 % 1000))
    for _ in 1 2 3 4 5 6 7 8 9 10 11 12; do
        line=$(frame_row $((SCREEN_ROWS - 4)))
        [ "${line:1:1}" = "↓" ] && return 0
        sleep "$step"
    done
    return 1
}

# The input row after the prompt, trailing blanks dropped.
input_row() {
    local line
    line=$(frame_row $((SCREEN_ROWS - 2)))
    line=${line:3:75}
    echo "${line%"${line##*[![:space:]]}"}"
}

# Starts the game and answers the menu with a new game for the given name.
new_game() {
    local name=$1
    wait_for "e. quit"
    keys a Enter
    wait_for "Please enter your name:"
    keys "$name" Enter
    wait_for "Hello $name"
}
