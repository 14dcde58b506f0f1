# The plain front end: standard input and output are not a terminal, so the
# game reads lines from the pipe and prints text without colour codes.
BIN=$1
DATA=$2
set -u
export LC_ALL=C.UTF-8
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
if [ -d "$DATA" ]; then cp -r "$DATA" "$WORK/Data"; else mkdir "$WORK/Data"; fi
cd "$WORK" || exit 1

fail() {
    echo "FAIL: $*" >&2
    echo "---- output ----" >&2
    cat "$WORK/out.txt" >&2
    exit 1
}

# A short session ended by "quit".
printf 'x\na\n../../Tmp/pwn\nri\n8\nquit\n' | timeout 20 "$BIN" --data-dir Data --save-dir Data >out.txt 2>err.txt
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
grep -q $'\e' out.txt && fail "escape codes in plain output"
grep -qF "Welcome to Brinefall!" out.txt || fail "welcome line"
grep -qF "█████" out.txt || fail "title art in UTF-8"
[ "$(grep -cF "Please select one of the following:" out.txt)" -eq 2 ] || fail "menu shown twice (after x)"
grep -qF "Hello Tmppwn" out.txt || fail "name kept to letters and digits"
grep -qF "Area: 0  Room: 8" out.txt || fail "ri"
grep -qF "> ri" out.txt || fail "typed lines are echoed"
grep -qF "The following are some of the useful game commands:" out.txt || fail "help text"
# The main keyboard's 8 is an ordinary line, not a keypad shortcut.
grep -qF "Only crazy people type into thin air, crazy." out.txt || fail "digit 8 was not treated as typed text"
[ -s err.txt ] && fail "error output: $(cat err.txt)"
ls ../../Tmp 2>/dev/null | grep -q pwn && fail "a file was written outside Data"

# The end of the input ends the game like "quit", even in the menu.
printf 'a\nEnder\n' | timeout 20 "$BIN" --data-dir Data --save-dir Data >out.txt 2>&1 || fail "end of input in play: status $?"
grep -qF "Hello Ender" out.txt || fail "new game before end of input"
printf '' | timeout 20 "$BIN" --data-dir Data --save-dir Data >out.txt 2>&1 || fail "empty input: status $?"
grep -qF "e. quit" out.txt || fail "menu before empty input ended"

# Output to a file with input from a terminal-less source never waits on a pause.
printf 'd\ne\n' | timeout 20 "$BIN" --data-dir Data --save-dir Data >out.txt 2>&1 || fail "credits: status $?"
grep -qF "Team..." out.txt || fail "credits"
echo "PASS"
