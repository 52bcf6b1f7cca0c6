# Which Wine a build runs under; sourced by the scripts that start Wine or its
# server. MIRADO_WINE_ARCH=win64 (the default) takes Wine's 64-bit loader,
# win32 its 32-bit one (the release build, in a WoW64 prefix). Each build has a
# prefix of its own, build/<arch>/wineprefix, unless MIRADO_WINEPREFIX names one.
# Sets: mirado_arch, wine (the loader), wineserver; exports WINEPREFIX.

mirado_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mirado_arch=${MIRADO_WINE_ARCH:-win64}
# Not "wine" from PATH: with Debian's wine package that is the 32-bit loader,
# which refuses a prefix made by wine64. Both loaders live in Wine's library folder.
mirado_wine_lib=/usr/lib/wine
case $mirado_arch in
  win32) wine=$mirado_wine_lib/wine ;;
  win64) wine=$mirado_wine_lib/wine64 ;;
  *) echo "MIRADO_WINE_ARCH must be win32 or win64, not $mirado_arch" >&2; return 2 ;;
esac
wineserver=$mirado_wine_lib/wineserver
export WINEPREFIX=${MIRADO_WINEPREFIX:-$mirado_root/build/$mirado_arch/wineprefix}
