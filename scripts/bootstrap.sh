#!/bin/sh
# Installs what building and testing need on Debian 12, and does nothing when it is all present.
# `bootstrap.sh docs` installs what the reference needs instead (Doxygen, Graphviz for the diagrams).
set -e
need=""
# zlib and libgcrypt are only the benchmark program's peers; the library never links them.
packages="g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 wine cmake ninja-build googletest
    libz-mingw-w64-dev libgcrypt-mingw-w64-dev python3"
[ "$1" = docs ] && packages="doxygen graphviz"
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need="$need $p"
done
[ -z "$need" ] && exit 0
echo "bootstrap: installing$need"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
# A transient mirror warning must not stop us when the install itself then succeeds.
$SUDO apt-get update -q || true
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $need
