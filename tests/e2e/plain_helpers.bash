# Shared by the scripts that run the game without tmux, on pipes and files:
# a private folder that goes when the script ends, and a failure that shows
# what the game wrote. Source it after setting BIN and DATA.
set -u
export LC_ALL=C.UTF-8
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1

fail() {
    echo "FAIL: $*" >&2
    for f in out.txt err.txt; do [ -f "$f" ] && { echo "---- $f ----" >&2; cat "$f" >&2; }; done
    exit 1
}
