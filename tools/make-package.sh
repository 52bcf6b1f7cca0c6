#!/usr/bin/env bash
# Builds the release zip from the built files and the readme, checks it with
# check-package.sh, and only then puts it in place: a run that fails leaves no
# zip at all, neither a partial one nor the previous one.
#   make-package.sh ZIP README TRIPLET "MD.dll exports" "plug-in exports" FILE...
set -euo pipefail

if [ $# -lt 6 ]; then
  echo "usage: $0 ZIP README TRIPLET MD_EXPORTS IFWIC_EXPORTS FILE..." >&2
  exit 2
fi
zip=$1 readme=$2 triplet=$3 md_exports=$4 ifwic_exports=$5
shift 5
here=$(cd "$(dirname "$0")" && pwd)

fail() {
  echo "make-package: FAILED: $*" >&2
  exit 1
}

mkdir -p "$(dirname "$zip")"
zip=$(cd "$(dirname "$zip")" && pwd)/$(basename "$zip")
partial=$(dirname "$zip")/.$(basename "$zip").part
stage=$(mktemp -d)
trap 'rm -rf "$stage"; rm -f "$partial"' EXIT
rm -f "$zip" "$partial"

names=()
for file in "$@"; do
  [ -s "$file" ] || fail "$file is missing or empty"
  cp "$file" "$stage/"
  names+=("$(basename "$file")")
done

# Users read it in Notepad on a Japanese Windows: code page 932 and CRLF. The
# source is UTF-8 with LF; iconv refuses a character that CP932 lacks.
readme_name=$(basename "$readme")
iconv -f UTF-8 -t CP932 "$readme" >"$stage/$readme_name.cp932" || fail "$readme does not convert to CP932"
LC_ALL=C sed 's/\r$//; s/$/\r/' "$stage/$readme_name.cp932" >"$stage/$readme_name"
rm "$stage/$readme_name.cp932"
names+=("$readme_name")

# The names alone, without folder entries (-D) or Unix extra fields (-X).
(cd "$stage" && zip -q -X -D "$partial" "${names[@]}") || fail "zip could not write $partial"
"$here/check-package.sh" "$partial" "$triplet" "$md_exports" "$ifwic_exports" || fail "$partial failed its check"
mv "$partial" "$zip"
echo "make-package: $zip"
unzip -l "$zip"
