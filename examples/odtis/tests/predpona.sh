#!/bin/sh
# predpona.sh start|stop PREFIX LOG: the sample service's tests run in a Wine prefix of their own, whose
# background processes (the service manager, and through it the service) write their standard error
# to LOG with the event log's errors switched on: Wine keeps no event log, it prints each error event
# there, so the tests can find what the service reported.
set -e
export WINEPREFIX="$2" WINEDLLOVERRIDES="mscoree,mshtml="
case "$1" in
start)
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        WINEDEBUG=-all /usr/lib/wine/wine64 wineboot --init </dev/null >/dev/null 2>&1
        WINEDEBUG=-all /usr/lib/wine/wineserver -w
    fi
    WINEDEBUG=-all /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true
    WINEDEBUG=-all /usr/lib/wine/wineserver -w </dev/null >/dev/null 2>&1 || true
    WINEDEBUG=-all /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 || true
    : > "$3"
    WINEDEBUG=-all,err+eventlog /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>>"$3"
    ;;
stop)
    /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true
    ;;
esac
