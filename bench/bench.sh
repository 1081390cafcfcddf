#!/bin/sh
# Times Kestrune.exe under Wine against three other ways of writing the same two
# values, in one prepared prefix, and prints each median and Kestrune's ratio to
# each. Prints figures only: it asserts nothing.
#   bench/bench.sh [RUNS]      (default 50 runs of each, after 3 warm-up runs)
set -eu
cd "$(dirname "$0")/.."
runs=${1:-50}

scripts/setup-debian.sh hyperfine
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 >/dev/null

work=$PWD/build/bench
mkdir -p "$work"
x86_64-w64-mingw32-gcc -O2 -Wall -Wextra -Werror -nostdlib -Wl,-e,Entry -Wl,--subsystem,console \
  -s bench/floor.c -o "$work/floor.exe" -ladvapi32 -lkernel32

WINEPREFIX=$work/wineprefix
export WINEPREFIX
cmake/wine.sh start --fresh
trap 'cmake/wine.sh stop' EXIT
cp bench/settings.reg "$work/settings.reg"

# Run the Wine loader directly, as wine.sh does, with the same environment.
. cmake/wine-env.sh
control='HKLM\SYSTEM\CurrentControlSet\Control'
memory='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management'
# Standard output goes to a file, as when a script keeps a log. (On /dev/null,
# Wine treats every write as a device write, about 1 ms each here.)
hyperfine --warmup 3 --runs "$runs" --output "$work/output.txt" --export-csv "$work/bench.csv" \
  -n kestrune "$WINELOADER build/windows-x64/Kestrune.exe" \
  -n floor "$WINELOADER $work/floor.exe" \
  -n reg-add-x2 "$WINELOADER reg add '$control' /v RegistrySizeLimit /t REG_DWORD /d 0xffffffff /f && $WINELOADER reg add '$memory' /v PagedPoolSize /t REG_DWORD /d 0 /f" \
  -n regedit "$WINELOADER regedit /s '$work/settings.reg'"

echo
echo "Medians over $runs runs (wine $("$WINELOADER" --version), $(nproc) cores):"
awk -F, 'NR > 1 { median[$1] = $4; printf "  %-11s %8.1f ms\n", $1, $4 * 1000 }
  END {
    printf "Kestrune / floor       %.2fx  (target: at most 1.10x)\n", median["kestrune"] / median["floor"]
    printf "Kestrune / reg add x2  %.2fx  (target: at most 0.35x)\n", median["kestrune"] / median["reg-add-x2"]
    printf "Kestrune / regedit /s  %.2fx  (target: at most 0.60x)\n", median["kestrune"] / median["regedit"]
  }' "$work/bench.csv"
