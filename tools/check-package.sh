#!/usr/bin/env bash
# Checks the release zip as users get it, without running anything: exactly the
# eight files; each program and library 32-bit x86, without symbols, importing
# only system DLLs, with the version resource of the zip's name; the programs
# GUI programs; the three libraries' export tables (cmake/CheckExports.cmake) and
# their returns (tools/check-returns.sh);
# the readme in code page 932 with CRLF line ends; the help an HTML Help file in
# Japanese (its pages: tools/check-help.sh).
#   check-package.sh ZIP TRIPLET "MD.dll exports" "plug-in exports (IFWIC.SPI and IFWICX.SPI)"
set -euo pipefail

if [ $# -ne 4 ]; then
  echo "usage: $0 ZIP TRIPLET MD_EXPORTS IFWIC_EXPORTS" >&2
  exit 2
fi
zip=$1 triplet=$2 md_exports=$3 ifwic_exports=$4
objdump=$triplet-objdump
windres=$triplet-windres
root=$(cd "$(dirname "$0")/.." && pwd)

problems=0
problem() {
  echo "check-package: $(basename "$zip"): $*" >&2
  problems=$((problems + 1))
}

[ -f "$zip" ] || { echo "check-package: no $zip (make dist builds it)" >&2; exit 1; }
[[ $(basename "$zip") =~ Mirado-([0-9]+)\.([0-9]+)\.([0-9]+)-win32\.zip ]] ||
  { echo "check-package: $zip: not named Mirado-N.NN.NN-win32.zip" >&2; exit 1; }
version="${BASH_REMATCH[1]}.${BASH_REMATCH[2]}.${BASH_REMATCH[3]}"
numbers="$((10#${BASH_REMATCH[1]})), $((10#${BASH_REMATCH[2]})), $((10#${BASH_REMATCH[3]})), 0"

programs="MDK.EXE MDS.EXE ZovOV_MD.EXE"
libraries="MD.dll IFWIC.SPI IFWICX.SPI"
readme=README.TXT
help=MDS.CHM
listed=$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')
wanted=$(printf '%s\n' $programs $libraries $readme $help | LC_ALL=C sort | tr '\n' ' ')
[ "$listed" = "$wanted" ] || problem "holds [${listed% }], expected [${wanted% }]"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work"

# DLLs that come with Windows; no MinGW runtime (libgcc, libstdc++,
# libwinpthread) nor anything else that would have to lie beside the programs.
system_dlls=(advapi32.dll comctl32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll
             ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll version.dll windowscodecs.dll)

# The version resource's strings, decoded from windres's rc text ("\x30df" is
# one UTF-16 unit) into UTF-8 lines NAME=VALUE.
version_strings() {
  perl -CS -ne 'if (/^\s*VALUE "(\w+)", L?"(.*)"\s*$/) {
      my ($k, $v) = ($1, $2); $v =~ s/\\x([0-9a-fA-F]{4})/chr(hex $1)/ge; print "$k=$v\n" }'
}

for name in $programs $libraries; do
  file=$work/$name
  [ -f "$file" ] || continue
  # The 32-bit objdump reads nothing else.
  if ! header=$("$objdump" -f "$file" 2>&1) || ! grep -q 'file format pei-i386' <<<"$header"; then
    problem "$name is not a 32-bit x86 PE file"
    continue
  fi
  dump=$("$objdump" -p "$file")
  grep -q 'HAS_SYMS' <<<"$header" && problem "$name is not stripped"
  case " $programs " in
    *" $name "*) grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$dump" || problem "$name is not a GUI program" ;;
  esac
  for dll in $(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr 'A-Z' 'a-z'); do
    [[ " ${system_dlls[*]} " == *" $dll "* ]] || problem "$name imports $dll, not a system DLL"
  done

  rc=$("$windres" -i "$file" -O rc 2>/dev/null) || { problem "$name: its resources do not read"; continue; }
  strings=$(version_strings <<<"$rc")
  grep -q "^ FILEVERSION $numbers\$" <<<"$rc" || problem "$name: FILEVERSION is not $numbers"
  grep -q "^ PRODUCTVERSION $numbers\$" <<<"$rc" || problem "$name: PRODUCTVERSION is not $numbers"
  grep -q 'BLOCK "041103a4"' <<<"$rc" || problem "$name: no Japanese (041103a4) string block"
  grep -q 'VALUE "Translation", 0x411, 932' <<<"$rc" || problem "$name: translation is not 0411/932"
  for expected in "FileVersion=$version" "ProductVersion=$version" "ProductName=ミラド" \
                  "OriginalFilename=$name"; do
    grep -qxF "$expected" <<<"$strings" || problem "$name: no $expected in its version resource"
  done
  grep -q '^FileDescription=ミラド .' <<<"$strings" || problem "$name: no FileDescription \"ミラド ...\""
done

check_exports() {
  [ -f "$work/$1" ] || return 0
  cmake -DOBJDUMP="$objdump" -DDLL="$work/$1" "-DNAMES=${2// /;}" -P "$root/cmake/CheckExports.cmake" >/dev/null ||
    problem "$1: export table"
}
check_exports MD.dll "$md_exports"
check_exports IFWIC.SPI "$ifwic_exports"
check_exports IFWICX.SPI "$ifwic_exports"

# Each export pops what its convention says: MD.dll's are cdecl, the plug-in's
# stdcall with the ABI's argument bytes.
check_returns() {
  [ -f "$work/$1" ] || return 0
  local name=$1
  shift
  "$root/tools/check-returns.sh" "$triplet" "$work/$name" "$@" >/dev/null || problem "$name: returns"
}
check_returns MD.dll $(for name in $md_exports; do printf '%s=0 ' "$name"; done)
for plugin in IFWIC.SPI IFWICX.SPI; do
  check_returns $plugin GetPluginInfo=12 IsSupported=8 GetPictureInfo=16 GetPicture=28 GetPreview=28
done

if [ -f "$work/$readme" ]; then
  text=$work/$readme
  if ! iconv -f CP932 -t UTF-8 "$text" >"$work/readme.utf8" 2>/dev/null ||
     ! iconv -f UTF-8 -t CP932 "$work/readme.utf8" | cmp -s - "$text"; then
    problem "$readme is not code page 932"
  else
    grep -q 'ミラド' "$work/readme.utf8" || problem "$readme does not read as the Japanese readme"
  fi
  perl -0777 -ne 'exit(/(?<!\r)\n/ || !/\r\n\z/ ? 1 : 0)' "$text" || problem "$readme has line ends other than CRLF"
fi

# The header of an HTML Help file: "ITSF", then its language at offset 20.
if [ -f "$work/$help" ]; then
  [ "$(head -c 4 "$work/$help")" = ITSF ] || problem "$help is not an HTML Help file"
  [ "$(od -An -tx4 -j20 -N4 "$work/$help" | tr -d ' ')" = 00000411 ] || problem "$help is not in Japanese (0x411)"
fi

if [ $problems -ne 0 ]; then
  echo "check-package: $problems problem(s) in $zip" >&2
  exit 1
fi
echo "check-package: $(basename "$zip"): eight files, 32-bit, version $version, readme CP932/CRLF, help in Japanese"
