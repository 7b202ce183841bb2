#!/bin/sh
# make demo: the library's main job, end to end. Installs the sample service (examples/odtis) in a Wine
# prefix of its own, writes its settings, starts it, sends it a small text, a 10 MiB file and an empty
# file with `zrno ask` for their MD5 and then their SHA-256, holds the answers against `zrno digest`,
# shows the service's log, then stops and deletes the service. Whatever happens, the prefix's processes end with it.
set -eu
BUILD=$(cd "${1:-build/x86_64}" && pwd)
JEZIK=${ODTIS_LANGUAGE:-sl}
VRATA=${ODTIS_PORT:-7878}
export WINEPREFIX="$BUILD/demoprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
WINE="${ZRNO_WINE64:-/usr/lib/wine/wine64}"
WINESERVER="${ZRNO_WINESERVER:-/usr/lib/wine/wineserver}"
DEMO="$BUILD/demo"
KLJUC='HKLM\SYSTEM\CurrentControlSet\Services\ZrnoOdtis\Parameters'
okno() { printf 'Z:%s' "$1" | tr / '\\'; }
zrno() { "$WINE" "$BUILD/bin/zrno.exe" "$@"; }
korak() { printf '\n== %s\n' "$*"; }

# Asks the service for the files' digests ($1: md5 or sha256, $2: its hex digits, $3: its name) and
# holds the answers against zrno digest on this side.
vprasaj() {
    izbira=
    [ "$1" = md5 ] || izbira=--$1
    korak "zrno ask $izbira $VRATA hello.txt big.bin empty.bin"
    zrno ask $izbira "$VRATA" hello.txt big.bin empty.bin | tee "odgovori_$1.txt"
    korak "zrno digest --$1 hello.txt big.bin empty.bin (on this side)"
    zrno digest "--$1" hello.txt big.bin empty.bin | tr -d '\r' | tee "odtisi_$1.txt"
    grep -E "^[0-9a-f]{$2}  " "odgovori_$1.txt" | tr -d '\r' > "iz_odgovorov_$1.txt"
    if cmp -s "iz_odgovorov_$1.txt" "odtisi_$1.txt"; then
        echo "the service's $3 digests agree with zrno digest"
    else
        echo "the $3 digests differ" >&2
        exit 1
    fi
}

konec() {
    "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
}
trap konec EXIT
trap 'exit 1' INT TERM

zacetek=$(date +%s)
mkdir -p "$DEMO"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    korak "creating the Wine prefix $WINEPREFIX (once, about 15 s)"
    "$WINE" wineboot --init </dev/null >/dev/null 2>&1
    "$WINESERVER" -w
fi
"$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
"$WINE" wineboot </dev/null >/dev/null 2>&1

cd "$DEMO"
printf 'Zrno: the typical request, from a socket through MD5 and Base64 to the log.\n' > hello.txt
head -c 10485760 /dev/urandom > big.bin
: > empty.bin
rm -f odtis.log

# A service left behind by an interrupted run goes first.
zrno service stop ZrnoOdtis >/dev/null 2>&1 || true
zrno service delete ZrnoOdtis >/dev/null 2>&1 || true

korak "install the service and write its settings"
zrno service install ZrnoOdtis "$(okno "$BUILD/bin/odtis.exe")"
zrno reg set -t REG_DWORD "$KLJUC" Port "$VRATA"
zrno reg set "$KLJUC" LogFile "$(okno "$DEMO/odtis.log")"
zrno reg set "$KLJUC" Language "$JEZIK"
zrno reg set -t REG_DWORD "$KLJUC" MaxRequest 67108864
zrno reg query "$KLJUC"

korak "start"
zrno service start ZrnoOdtis

vprasaj md5 32 MD5
vprasaj sha256 64 SHA-256

korak "stop and delete"
zrno service stop ZrnoOdtis
zrno service delete ZrnoOdtis

korak "the service's log ($(okno "$DEMO/odtis.log"), code page 1250)"
iconv -f CP1250 -t UTF-8 odtis.log

printf '\ndemo done in %s s\n' $(( $(date +%s) - zacetek ))
