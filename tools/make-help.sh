#!/usr/bin/env bash
# Builds the settings program's help, MDS.CHM, from its sources in help/: the
# project, the contents tree, the index, the pages and their style sheet, kept
# in UTF-8. Windows' HTML Help reads the contents tree and the index in the
# help's code page, 932 (Language=0x411), so every text file is converted to
# it, and the pages' charset declarations follow; iconv refuses a character
# that CP932 lacks. A failed run leaves no help file.
#   make-help.sh SOURCE_DIR CHM
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 SOURCE_DIR CHM" >&2
  exit 2
fi
source=$1 chm=$2
project=$(cd "$source" && ls ./*.hhp)
command -v chmcmd >/dev/null || { echo "make-help: no chmcmd; run tools/setup.sh" >&2; exit 127; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
for file in "$source"/*.hhp "$source"/*.hhc "$source"/*.hhk "$source"/*.htm "$source"/*.css; do
  name=$(basename "$file")
  sed 's/charset=UTF-8/charset=Shift_JIS/' "$file" | iconv -f UTF-8 -t CP932 >"$stage/$name" ||
    { echo "make-help: $file does not convert to CP932" >&2; exit 1; }
done

# chmcmd writes the file the project names into the current folder. The
# contents tree and the index stay as the sitemap files: the binary forms it
# can add would carry them as if they were in code page 1252.
out=$(cd "$stage" && chmcmd --no-html-scan "$project" 2>&1) || { echo "$out" >&2; exit 1; }
built=$stage/$(sed -n 's/^Compiled file=\(.*\)\r\{0,1\}$/\1/p' "$stage/$project")
[ -s "$built" ] || { echo "$out" >&2; echo "make-help: chmcmd wrote no $built" >&2; exit 1; }
mkdir -p "$(dirname "$chm")"
mv "$built" "$chm.part"
mv "$chm.part" "$chm"
