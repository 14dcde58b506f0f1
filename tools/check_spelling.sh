#!/usr/bin/env bash
# Spelling check of every text a player can see: the world, the things, the
# scripts, the instructions and the map legend under content/, and the fixed
# texts the code prints (its string literals under src/). Words are looked
# up in Debian's British English dictionary and in tools/spelling/words.txt,
# the island's own words. An unknown word fails the check with its file and
# line. Exits 77 (skipped) when hunspell or its en_GB dictionary is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if ! command -v hunspell >/dev/null 2>&1; then
  echo "hunspell is not installed (apt-get install hunspell hunspell-en-gb): spelling not checked"
  exit 77
fi
dictionaries=$(hunspell -D </dev/null 2>&1 || true)
if ! grep -q '/en_GB$' <<<"$dictionaries"; then
  echo "the en_GB dictionary is missing (apt-get install hunspell-en-gb): spelling not checked"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The word list without its comments and blank lines.
grep -v -e '^#' -e '^[[:space:]]*$' tools/spelling/words.txt >"$work/words" || true

# Every text as "file:line<TAB>text", markup still in.
{
  # Script lines: an option's text follows its "]" and four lettering
  # characters; day, label and end lines and the mood values say nothing.
  for f in content/scripts/*.txt; do
    awk -v f="$f" '
      /^(DAY|LABEL|END)/ || /^[-0-9. ]*$/ { next }
      /SKIP/ { i = index($0, "]"); print f ":" NR "\t" substr($0, i + 5); next }
      { print f ":" NR "\t" $0 }' "$f"
  done
  # The world file: names, descriptions and recipe messages between numbers.
  awk '/^[-0-9 ]*$/ || /^~$/ { next } { print FILENAME ":" FNR "\t" $0 }' content/initial.ims
  # Things: "area room|names|text".
  awk -F'|' '/^#/ || NF < 3 { next } { print FILENAME ":" FNR "\t" $2 " " $3 }' content/things.txt
  awk '{ print FILENAME ":" FNR "\t" $0 }' content/readme.txt
  # The map: room marks such as "_7 10" are not words.
  awk '{ gsub(/_[0-9]+ [0-9]+/, " "); print FILENAME ":" FNR "\t" $0 }' content/map.txt
  # The code's fixed texts: string literals that hold a phrase (two words
  # or more); single words are names and keys, comments are not shown.
  find src -name '*.cpp' -o -name '*.h' | sort | while read -r f; do
    awk -v f="$f" '
      /^[[:space:]]*(\/\/|\*|#include)/ { next }
      {
        line = $0
        while (match(line, /"([^"\\]|\\.)*"/)) {
          text = substr(line, RSTART + 1, RLENGTH - 2); line = substr(line, RSTART + RLENGTH)
          gsub(/\\n|\\t/, " ", text); gsub(/\\"/, "\"", text); gsub(/\\\\/, "\\", text)
          # Paths, option names and variables are not words.
          gsub(/[^ ]*[$~_][^ ]*|--[a-z-]+|[A-Za-z]+\/[a-z]+\.[a-z]+/, " ", text)
          if (text ~ /[A-Za-z]+[^A-Za-z]+[A-Za-z]+ +[A-Za-z]/) print f ":" NR "\t" text
        }
      }' "$f"
  done
} >"$work/texts"

# What the dictionary must not see: colour codes, % conversions, tokens,
# script actions, and the "SKIP"/letter framing already cut above.
cut -f2- "$work/texts" |
  sed -E -e 's#//# #g' -e 's#/[WwRrBbGgYyCcPpkxs]# #g' -e 's#@[WwRrBbGgYyCcPpke@]# #g' \
         -e 's#%[-+ 0#]*[0-9*]*(\.[0-9*]+)?(hh|h|ll|l|z)?[diouxXfeEgGcsp%]# #g' \
         -e 's#<[A-Z-]+># #g' -e 's#\{[^}]*\}# #g' \
         -e 's#^#^#' >"$work/clean"

# Pipe mode answers each line with one result per word and an empty line;
# "&" and "#" results are unknown words.
hunspell -d en_GB -p "$work/words" -a <"$work/clean" | tail -n +2 |
  awk -v texts="$work/texts" '
    BEGIN { line = 1 }
    /^$/ { line++; next }
    /^[&#]/ { unknown[line] = unknown[line] " " $2 }
    END {
      n = 0
      while ((getline entry < texts) > 0) {
        n++
        if (n in unknown) { split(entry, part, "\t"); print part[1] ": unknown word(s):" unknown[n]; bad++ }
      }
      if (bad) { print bad " line(s) with unknown words: mend them or add the word to tools/spelling/words.txt"; exit 1 }
      print "spelling: " n " lines of player text checked, all words known"
    }'
