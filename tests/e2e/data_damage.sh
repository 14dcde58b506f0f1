# Every file of the game data, the manifest among them, damaged each way a
# disk or an editor damages files (cut short, emptied, one bit flipped,
# replaced by a directory): the game never starts on it, but writes one
# line naming the file and exits with status 1. A save an earlier build
# left in the data folder is no data.
# Usage: data_damage.sh <brinefall binary> <Data directory>
BIN=$1
DATA=$2
set -u
export LC_ALL=C
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1
cp -r "$DATA" sound && cp -r "$DATA" broken

fail() {
    echo "FAIL: $*" >&2
    for f in out.txt err.txt; do [ -f "$f" ] && { echo "---- $f ----" >&2; cat "$f" >&2; }; done
    exit 1
}
run() { timeout 10 "$BIN" --plain --data-dir "$WORK/broken" --save-dir "$WORK/saves" </dev/null >out.txt 2>err.txt; }
mend() { rm -rf "broken/$1" && cp "sound/$1" "broken/$1"; }

damage() {  # <how> <file>
    local file=broken/$2 size at byte
    size=$(stat -c %s "$file")
    at=$((size / 2))
    case $1 in
        cut) truncate -s "$at" "$file" ;;
        empty) : >"$file" ;;
        flip)
            byte=$(od -An -tu1 -j "$at" -N1 "$file" | tr -d ' ')
            # shellcheck disable=SC2059
            printf "$(printf '\\%03o' $((byte ^ 4)))" | dd of="$file" bs=1 seek="$at" conv=notrunc status=none ;;
        directory) rm "$file" && mkdir "$file" ;;
    esac
}

mapfile -t files < <(sed -n 's/^[0-9a-f]\{8\} [0-9]* //p' sound/manifest.txt)
[ "${#files[@]}" -ge 20 ] || fail "the manifest lists ${#files[@]} files"
cases=0
for file in "${files[@]}" manifest.txt; do
    for how in cut empty flip directory; do
        damage "$how" "$file"
        run
        status=$?
        [ "$status" -eq 1 ] && [ "$(wc -l <err.txt)" -eq 1 ] || fail "$file $how: status $status"
        grep -qF "brinefall: damaged game data in $WORK/broken: $file: " err.txt || fail "$file $how: $(cat err.txt)"
        [ -s out.txt ] && fail "$file $how: the game started"
        cases=$((cases + 1))
        mend "$file"
    done
done

printf 'not a save at all' >broken/Sam.mox
run && grep -qF "e. quit" out.txt || fail "a save in the data folder is taken for data"
echo "data damage: $cases cases refused, each naming its file"
