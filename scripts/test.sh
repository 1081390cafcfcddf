#!/bin/sh
# Builds every preset and runs every test: the native unit tests under ASan
# and UBSan; for each Windows architecture the end-to-end tests under Wine and
# the checks of the exe and its release package; then makes the release ZIPs.
set -eu
cd "$(dirname "$0")/.."

scripts/setup-debian.sh
for preset in native windows-x64 windows-x86; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
for preset in windows-x64 windows-x86; do
  (cd "build/$preset" && cpack)
done
