#!/usr/bin/env bash
# Fails when doc/HACKING.md names something the tree no longer has: every
# path in backticks must exist (from the top of the tree, or under src/),
# and every name in backticks (a function "name()", "Class::member()", or
# a bare identifier) must appear as a whole word in the sources.
set -euo pipefail
cd "$(dirname "$0")/.."

doc=doc/HACKING.md
where=(src tests fuzz bench tools web/library.js web/test cmake .ci CMakeLists.txt)
bad=0
while IFS= read -r quoted; do
    case $quoted in
        *' '* | *'<'* | *'*'* | '') continue ;;  # a command or a pattern, not a name
    esac
    if [[ $quoted == */* ]]; then
        [ -e "$quoted" ] || [ -e "src/$quoted" ] || { echo "$doc: no such path: $quoted" >&2; bad=1; }
        continue
    fi
    name=${quoted%"()"}
    [[ $name =~ ^[A-Za-z_][A-Za-z0-9_:]*$ ]] || continue
    for part in ${name//::/ }; do
        pattern="\\b$part\\b"
        # A function's last part is followed by its parentheses somewhere.
        [ "$name" != "$quoted" ] && [ "$part" = "${name##*:}" ] && pattern+='[[:space:]]*\('
        grep -rqE --include='*.h' --include='*.cpp' --include='*.js' --include='*.mjs' --include='*.sh' \
             --include='*.bash' --include='*.cmake' --include='*.txt' --include=run -- "$pattern" "${where[@]}" ||
            { echo "$doc: \"$quoted\" is not in the sources" >&2; bad=1; break; }
    done
done < <(grep -o '`[^`]*`' "$doc" | tr -d '`' | sort -u)

[ "$bad" -eq 0 ] || { echo "name check: mend doc/HACKING.md" >&2; exit 1; }
echo "name check: every path and name doc/HACKING.md quotes exists"
