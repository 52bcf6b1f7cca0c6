#!/usr/bin/env bash
# Checks, without running it, that each named export of a 32-bit DLL returns as
# its calling convention says: a stdcall function pops its N bytes of arguments
# ("ret $N"), a cdecl one leaves them to the caller (a plain "ret"). The 64-bit
# build has one convention only; in the 32-bit one a mismatch with the callers
# corrupts their stack. The first return on the way from the entry point counts.
#   check-returns.sh TRIPLET DLL NAME=N...     (N: bytes popped, 0 for cdecl)
set -euo pipefail

if [ $# -lt 3 ]; then
  echo "usage: $0 TRIPLET DLL NAME=N..." >&2
  exit 2
fi
objdump=$1-objdump dll=$2
shift 2

dump=$("$objdump" -p "$dll")
base=$(awk '$1 == "ImageBase" { print $2; exit }' <<<"$dump")
# Export Address Table rows "[   i] +base[ n] RVA Export RVA", and the names in
# ordinal order "[   i] NAME".
declare -A rva=() index=()
while read -r i r; do rva[$i]=$r; done < <(sed -n '/^Export Address Table -- /,/^$/p' <<<"$dump" |
  sed -n 's/^[[:space:]]*\[ *\([0-9]*\)\] +base\[ *[0-9]*\] \([0-9a-f]*\) Export RVA$/\1 \2/p')
while read -r i name; do index[$name]=$i; done < <(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" |
  sed -n 's/^[[:space:]]*\[ *\([0-9]*\)\] \([^ ]*\)$/\1 \2/p')

problems=0
for want in "$@"; do
  name=${want%%=*} bytes=${want#*=}
  i=${index[$name]:-}
  if [ -z "$i" ] || [ -z "${rva[$i]:-}" ]; then
    echo "check-returns: $(basename "$dll"): no export $name" >&2
    problems=$((problems + 1))
    continue
  fi
  start=$((0x$base + 0x${rva[$i]}))
  found=$("$objdump" -d --no-show-raw-insn --start-address=$start --stop-address=$((start + 4096)) "$dll" |
    awk -F'\t' '!done && /^ *[0-9a-f]+:\t/ && $2 ~ /^ret/ { print $2; done = 1 }' | tr -s ' ')
  if [ "$bytes" = 0 ]; then expected=ret; else expected="ret \$0x$(printf '%x' "$bytes")"; fi
  if [ "$found" != "$expected" ]; then
    echo "check-returns: $(basename "$dll"): $name returns with \"${found:-nothing found}\", expected \"$expected\"" >&2
    problems=$((problems + 1))
  fi
done
[ $problems -eq 0 ] || exit 1
echo "check-returns: $(basename "$dll"): $# exports return as their convention says"
