#!/bin/sh
# Installs what building and testing Kestrune needs on Debian 12, and any
# further packages named as arguments, skipping what is already there. Needs
# root (or sudo).
set -eu

packages="cmake ninja-build g++ libgtest-dev strip-nondeterminism
  g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
  g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
  wine wine64 wine32:i386 $*"

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=""
for package in $packages; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing="$missing $package"
done
[ -n "$missing" ] || exit 0

echo "Installing:$missing"
# Wine's 32-bit half comes from the i386 architecture; add it before any
# Wine prefix exists.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
fi
as_root apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
