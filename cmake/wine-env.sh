# Sourced by sh scripts that run Wine: exports the prefix (WINEPREFIX, which
# the caller must set), quiet settings, no display, and WINELOADER.
: "${WINEPREFIX:?set WINEPREFIX to the prefix to use}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export DISPLAY=

# The 64-bit loader, named directly: Debian's `wine` prefers the 32-bit one,
# which cannot start on a kernel without 32-bit support.
if [ -z "${WINELOADER:-}" ]; then
  for candidate in /usr/lib/wine/wine64 /usr/lib64/wine/wine64 "$(command -v wine64 || true)" \
                   "$(command -v wine || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then WINELOADER=$candidate; break; fi
  done
fi
: "${WINELOADER:?no Wine loader found: install wine and wine64}"
export WINELOADER
