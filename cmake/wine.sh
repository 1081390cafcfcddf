#!/bin/sh
# Runs Windows programs under Wine in a prefix of the caller's choosing.
#   wine.sh start [--fresh]  create the prefix at $WINEPREFIX if missing (--fresh:
#                            anew), then leave its server running
#   wine.sh run PROGRAM ...  run a Windows program in it
#   wine.sh stop             stop that prefix's server
# WINEPREFIX must be set: this never falls back to ~/.wine.
set -eu

. "$(dirname "$0")/wine-env.sh"

# The machine field of a PE file's header, as 4 hex digits (014c: x86).
pe_machine() {
  offset=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j"$((offset + 4))" -N2 "$1" | tr -d ' '
}

mode=${1:?usage: wine.sh start [--fresh] | run PROGRAM [ARGS...] | stop}
shift
case $mode in
  start)
    if [ "${1:-}" = --fresh ]; then rm -rf "$WINEPREFIX"; fi
    mkdir -p "$WINEPREFIX"
    # Wine's helpers outlive this script; with all stdio on /dev/null they
    # cannot hold a caller's pipes open.
    wineserver -p </dev/null >/dev/null 2>&1
    "$WINELOADER" wineboot -i </dev/null >/dev/null 2>&1
    ;;
  run)
    # A 32-bit program needs Wine's 32-bit loader, which some kernels cannot
    # start (no 32-bit support). Say so and report "skipped" (77) to ctest
    # rather than a failure of the program.
    if [ -f "$1" ] && [ "$(pe_machine "$1")" = 014c ]; then
      loader32=${WINELOADER%64}
      if [ "$loader32" != "$WINELOADER" ] && ! "$loader32" --version >/dev/null 2>&1; then
        echo "wine.sh: this host cannot start Wine's 32-bit loader ($loader32): skipping $1" >&2
        exit 77
      fi
    fi
    exec "$WINELOADER" "$@"
    ;;
  stop)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    ;;
  *)
    echo "wine.sh: unknown mode '$mode'" >&2
    exit 2
    ;;
esac
