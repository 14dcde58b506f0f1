# The text area scrolls on the terminal itself once the scrollback is
# full; what is shown must be exactly what a full redraw shows: text,
# colours, frame and scroll bar.
BIN=$1
DATA=$2
source "$(dirname "$0")/terminal_helpers.bash"

start_game
new_game Scroller
# Outputs of one, several and many lines, repeated and varied, well past 300 lines.
for round in $(seq 12); do
    for command in look i xyzzy help n look s ri; do
        keys "$command" Enter
        sleep 0.02
    done
done
keys ri Enter
wait_for "Area: 0  Room: 8"
settle
before=$(visible_codes)
before_text=$(screen_text)
# A window too small and back makes the game draw every cell anew.
tmux -L "$SOCK" resize-window -t "$PANE" -x 70 -y 40
wait_for "This one is 70 x 40."
tmux -L "$SOCK" resize-window -t "$PANE" -x 80 -y 50
wait_for "Area: 0  Room: 8"
settle
after=$(visible_codes)
[ "$(screen_text)" = "$before_text" ] || {
    diff <(echo "$before_text") <(screen_text) >&2
    fail "the scrolled text differs from a full redraw"
}
[ "$after" = "$before" ] || {
    diff <(echo "$before") <(echo "$after") | head -20 >&2
    fail "the scrolled colours differ from a full redraw"
}
# The frame and the scroll bar's arrows stayed in place.
top=$(row 1)
bottom=$(row 46)
[ "${top:78:2}" = "↑║" ] || fail "top of the scroll bar: $top"
[ "${bottom:78:2}" = "↓║" ] || fail "bottom of the scroll bar: $bottom"
echo "PASS"
