# Every file of the game data, the manifest among them, damaged each way
# a disk or an editor damages files (cut short, emptied, one bit of one
# byte flipped, replaced by a directory): the game never starts on it. It
# writes one line naming the file, exits with status 1 and prints nothing
# else. A save an earlier build left in the data folder is no data.
# Usage: data_damage.sh <brinefall binary> <Data directory>
BIN=$1
DATA=$2
set -u
export LC_ALL=C
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1
cp -r "$DATA" sound

fail() {
    echo "FAIL: $*" >&2
    for f in out.txt err.txt; do [ -f "$f" ] && { echo "---- $f ----" >&2; cat "$f" >&2; }; done
    exit 1
}
run() { timeout 10 "$BIN" --plain --data-dir "$WORK/broken" --save-dir "$WORK/saves" </dev/null >out.txt 2>err.txt; }

damage() {  # <how> <file>
    local file=broken/$2 size
    size=$(stat -c %s "$file")
    case $1 in
        cut) truncate -s $((size / 2)) "$file" ;;
        empty) : >"$file" ;;
        flip)
            local at=$((size / 2)) byte
            byte=$(od -An -tu1 -j "$at" -N1 "$file" | tr -d ' ')
            # shellcheck disable=SC2059
            printf "$(printf '\\%03o' $((byte ^ 4)))" | dd of="$file" bs=1 seek="$at" conv=notrunc status=none
            ;;
        directory) rm "$file" && mkdir "$file" ;;
    esac
}

mapfile -t files < <(sed -n 's/^[0-9a-f]\{8\} [0-9]* //p' sound/manifest.txt)
[ "${#files[@]}" -ge 20 ] || fail "the manifest lists ${#files[@]} files"
files+=(manifest.txt)
cases=0
cp -r sound broken
for file in "${files[@]}"; do
    for how in cut empty flip directory; do
        rm -rf "broken/$file" && cp "sound/$file" "broken/$file"
        damage "$how" "$file"
        run
        status=$?
        [ "$status" -eq 1 ] || fail "$file $how: status $status"
        [ "$(wc -l <err.txt)" -eq 1 ] || fail "$file $how: not one line"
        grep -qF "brinefall: damaged game data in $WORK/broken: $file: " err.txt || fail "$file $how: $(cat err.txt)"
        [ -s out.txt ] && fail "$file $how: the game started"
        cases=$((cases + 1))
    done
    rm -rf "broken/$file" && cp "sound/$file" "broken/$file"
done

# A save beside the data and a file the manifest does not list are no data.
rm -rf broken && cp -r sound broken
printf 'not a save at all' >broken/Sam.mox
run || fail "a save in the data folder: status $?"
grep -qF "e. quit" out.txt || fail "a save in the data folder: no menu"
echo "data damage: $cases cases refused, each naming its file"
