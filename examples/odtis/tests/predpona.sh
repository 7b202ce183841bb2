#!/bin/sh
# predpona.sh start|stop PREFIX LOG: the sample service's tests run in a Wine prefix of their own, whose
# background processes (the service manager, and through it the service) write their standard error
# to LOG with the event log's errors switched on: Wine keeps no event log, it prints each error event
# there, so the tests can find what the service reported.
# ZRNO_WINE64 and ZRNO_WINESERVER name Wine's programs where they are not in Debian's place.
set -e
WINE64="${ZRNO_WINE64:-/usr/lib/wine/wine64}"
WINESERVER="${ZRNO_WINESERVER:-/usr/lib/wine/wineserver}"
export WINEPREFIX="$2" WINEDLLOVERRIDES="mscoree,mshtml="
case "$1" in
start)
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        WINEDEBUG=-all "$WINE64" wineboot --init </dev/null >/dev/null 2>&1
        WINEDEBUG=-all "$WINESERVER" -w
    fi
    WINEDEBUG=-all "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
    WINEDEBUG=-all "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
    WINEDEBUG=-all "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
    : > "$3"
    WINEDEBUG=-all,err+eventlog "$WINE64" wineboot </dev/null >/dev/null 2>>"$3"
    ;;
stop)
    "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
    ;;
esac
