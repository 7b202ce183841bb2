#!/bin/sh
# wine-prefix.sh start|stop PREFIX: creates the test prefix once and keeps one wineserver alive for the
# whole test run, so each program starts in about a second; stop ends only this prefix's server.
# ZRNO_WINE64 and ZRNO_WINESERVER name Wine's programs where they are not in Debian's place.
set -e
WINE64="${ZRNO_WINE64:-/usr/lib/wine/wine64}"
WINESERVER="${ZRNO_WINESERVER:-/usr/lib/wine/wineserver}"
export WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case "$1" in
start)
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        "$WINE64" wineboot --init </dev/null >/dev/null 2>&1
        # The registry reaches the disk only when the server exits.
        "$WINESERVER" -w
    fi
    test -f "$WINEPREFIX/system.reg"
    # A persistent server detaches by itself; its output must not hold CTest's pipes open.
    "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
    # Bring up the prefix's background services now: started by the first test program instead, they
    # would inherit its output pipe and keep CTest waiting for it to close.
    "$WINE64" wineboot </dev/null >/dev/null 2>&1
    ;;
stop)
    "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
    ;;
esac
