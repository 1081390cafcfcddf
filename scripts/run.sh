#!/bin/sh
# The tool's main job, here: builds Kestrune.exe, runs it in this project's
# own Wine prefix (build/wineprefix), then shows both values as that registry
# now holds them. Exits with Kestrune's exit status.
set -eu
cd "$(dirname "$0")/.."

scripts/setup-debian.sh
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 >/dev/null

WINEPREFIX="$PWD/build/wineprefix"
export WINEPREFIX
wine=cmake/wine.sh
$wine start
trap '$wine stop' EXIT

status=0
$wine run build/windows-x64/Kestrune.exe || status=$?
echo "Kestrune.exe exit status: $status"
echo
echo "The registry now holds:"
$wine run reg query 'HKLM\SYSTEM\CurrentControlSet\Control' /v RegistrySizeLimit </dev/null || true
$wine run reg query 'HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management' \
  /v PagedPoolSize </dev/null || true
exit "$status"
