#!/bin/sh
# Installs what building and testing Kestrune needs on Debian 12, and any
# further packages named as arguments, skipping what is already there. Needs
# root (or sudo).
set -eu

packages="cmake ninja-build g++ libgtest-dev clang-format strip-nondeterminism
  g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
  g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
  wine wine64 wine32:i386 $*"

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  missing=""
  for package in "$@"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = installed ] || missing="$missing $package"
  done
  [ -n "$missing" ] || return 0

  echo "Installing:$missing"
  # Wine's 32-bit half comes from the i386 architecture; add it before any
  # Wine prefix exists.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

install_missing $packages

# Wine's 32-bit loader is an i386 Linux program. Where the kernel has no
# 32-bit support it cannot start ("Exec format error"); there, have the kernel
# run i386 programs through qemu-user instead. Slow (about a minute for each
# Windows process), but the same Wine, prefix and registry.
wine32=/usr/lib/wine/wine
if [ -x "$wine32" ] && ! "$wine32" --version >/dev/null 2>&1; then
  install_missing qemu-user-static
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || as_root mount -t binfmt_misc binfmt_misc "$binfmt"
  if [ ! -e "$binfmt/qemu-i386" ]; then
    echo "Registering qemu-i386 to run 32-bit programs (binfmt_misc)"
    # i386 ELF executables and shared objects; F: the interpreter is opened now.
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' |
      as_root tee "$binfmt/register" >/dev/null
  fi
fi
