#!/usr/bin/env bash
# Installs from Debian's packages what the build, the tests and the demo need.
# Idempotent: each package is installed only when it is missing.
set -euo pipefail

packages=(
  cmake make g++ ninja-build
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  wine64 xvfb x11-utils xauth
  locales fonts-ipafont-gothic
  imagemagick libjpeg-turbo-progs libjxr-tools
  valgrind procps
  zip unzip
  fp-utils libchm-bin
  clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The release build is 32-bit: Wine's 32-bit half (wine32:i386) runs it, in a
# WoW64 prefix beside the 64-bit one. Where i386 packages cannot be had, the
# 64-bit tests still run and this says why the 32-bit ones will not.
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
  export DEBIAN_FRONTEND=noninteractive
  if { dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386; } &&
     $SUDO apt-get update -qq >/dev/null 2>&1 &&
     $SUDO apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null 2>&1; then
    echo "setup: installed wine32:i386"
  else
    echo "setup: wine32:i386 could not be installed; the 32-bit build will be checked without running it"
  fi
fi

# Wine's ANSI code page follows LANG: ja_JP.UTF-8 gives code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8"
  if [ -f /etc/locale.gen ]; then
    $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
  else
    $SUDO localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
  fi
fi
