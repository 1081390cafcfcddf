#!/bin/sh
# Builds every preset and runs every test: the native unit tests under ASan
# and UBSan, then the Windows build's end-to-end tests under Wine.
set -eu
cd "$(dirname "$0")/.."

scripts/setup-debian.sh
for preset in native windows-x64; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
