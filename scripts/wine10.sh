#!/bin/sh
# wine10.sh root | run BUILD-DIR COMMAND... | shell BUILD-DIR
#
# Runs a build tree's programs under Debian 13's Wine 10, which can start the i686 build here: this
# machine's processor mode refuses 32-bit code segments (far jumps to them and `int $0x80` fault), so
# neither Debian 12's wine32 nor Wine's WoW64 mode can run 32-bit code. Trixie's Wine runs its 64-bit
# loader, server and services natively and starts the 32-bit side (the i386 Unix loader of
# wine32:i386) under qemu-i386's user-mode emulation.
#
#   root   builds the trixie root once (debootstrap, then Wine 10 and qemu-user): about 470 MB fetched,
#          2.4 GB on disk, 5 minutes on an idle machine (13 on a loaded one). Later calls return at once.
#   run    enters a private user, mount and process namespace, registers qemu-i386 for i386 ELF files
#          there, and runs COMMAND (ctest, say) with the host's view of the files, except that Wine's
#          programs in /usr/lib/wine are replaced by launchers into the root and the tree's prefixes
#          (BUILD-DIR/*prefix) by prefixes of Wine 10's own in BUILD-DIR/wine10/. So the tree's
#          wine-run, prefix scripts and CTest entries work unchanged, and Wine 8's prefixes stay as
#          they are. Nothing outside the namespace changes; its processes end with COMMAND.
#   shell  the same with an interactive shell.
#
# ZRNO_WINE10_ROOT names the root (default /var/cache/zrno/trixie-i386): outside every source tree and
# shared by them all. ZRNO_DEBIAN_MIRROR names the archive.
set -e
ROOT="${ZRNO_WINE10_ROOT:-/var/cache/zrno/trixie-i386}"
MIRROR="${ZRNO_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
SELF="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
READY="$ROOT/.zrno-wine10"

# The binfmt_misc entry for i386 ELF executables and shared objects (qemu's own magic and mask). F opens
# the interpreter now, so the root's qemu-i386 serves programs started inside the root as well.
QEMU_I386='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
QEMU_I386_MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

build_root() {
    [ -f "$READY" ] && return 0
    case "$ROOT" in
    /?*/?*) ;;
    *) echo "wine10: the root must be a directory two levels below / at least: $ROOT" >&2; exit 2 ;;
    esac
    mkdir -p "$(dirname "$ROOT")"
    # Two trees may ask at once: the second waits for the first and then finds the root ready.
    exec 9>"$ROOT.lock"
    flock 9
    [ -f "$READY" ] && return 0
    command -v debootstrap >/dev/null || {
        apt-get update -q || true
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap
    }
    echo "wine10: building the trixie root in $ROOT (about 470 MB to fetch, 5 to 15 minutes)"
    new="$ROOT.new"
    rm -rf "$new" "$ROOT"
    # debootstrap and dpkg mount /proc and friends inside the target: a private mount namespace takes
    # them away however the build ends.
    unshare --mount --propagation private sh -ec '
        new="$1"; mirror="$2"
        debootstrap --variant=minbase trixie "$new" "$mirror"
        mkdir -p "$new/etc/dpkg/dpkg.cfg.d"
        printf "%s\n" "path-exclude=/usr/share/doc/*" "path-exclude=/usr/share/man/*" \
            "path-exclude=/usr/share/info/*" "path-exclude=/usr/share/locale/*" \
            >"$new/etc/dpkg/dpkg.cfg.d/zrno-lean"
        cp /etc/resolv.conf "$new/etc/resolv.conf"
        mount --rbind /proc "$new/proc"
        mount --rbind /sys "$new/sys"
        mount --rbind /dev "$new/dev"
        chroot "$new" dpkg --add-architecture i386
        chroot "$new" apt-get update -q
        DEBIAN_FRONTEND=noninteractive chroot "$new" apt-get install -y -q --no-install-recommends \
            wine wine64 libwine wine32:i386 qemu-user
        chroot "$new" apt-get clean
    ' wine10 "$new" "$MIRROR"
    # Without the host names "localhost" does not resolve and the socket tests fail.
    cp /etc/hosts "$new/etc/hosts"
    test -x "$new/usr/lib/wine/wine64" && test -x "$new/usr/bin/qemu-i386"
    touch "$new/.zrno-wine10"
    mv "$new" "$ROOT"
    exec 9>&-
    echo "wine10: root ready ($(du -sh "$ROOT" | cut -f1))"
}

# Inside the namespace (as its root): mounts, then COMMAND. Paths are the host's.
inside() {
    build="$1"
    shift
    # A fresh /proc for the new process namespace, so Wine sees its own processes.
    mount -t proc proc /proc
    mkdir -p "$ROOT/run/zrno-binfmt"
    mount -t binfmt_misc binfmt_misc "$ROOT/run/zrno-binfmt"
    printf ':qemu-i386:M::%s:%s:%s:F' "$QEMU_I386" "$QEMU_I386_MASK" "$ROOT/usr/bin/qemu-i386" \
        >"$ROOT/run/zrno-binfmt/register"
    for d in /proc /sys /dev /tmp; do
        mount --rbind "$d" "$ROOT$d"
    done
    cp /etc/hosts "$ROOT/etc/hosts"
    # Wine 10's prefixes beside Wine 8's (a prefix that one version has upgraded is not the
    # other's), mounted before the tree is bound into the root so that both views see them.
    for p in wineprefix odtisprefix; do
        mkdir -p "$build/$p"
    done
    for p in "$build"/*prefix; do
        mkdir -p "$build/wine10/${p##*/}"
        mount --bind "$build/wine10/${p##*/}" "$p"
    done
    # The tree and the sources it names, at the same paths inside the root.
    src="$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt" 2>/dev/null || true)"
    for d in "$src" "$build"; do
        [ -n "$d" ] && [ -d "$d" ] || continue
        mkdir -p "$ROOT$d"
        mount --rbind "$d" "$ROOT$d"
    done
    # Launchers into the root in place of the host's Wine programs (kept in the root: every run of the
    # same root writes the same ones).
    launchers="$ROOT/run/zrno-launchers"
    mkdir -p "$launchers"
    for w in wine64 wineserver wine; do
        # In the same directory when the root has it (the trees and /tmp are there), else in /.
        t="$(mktemp "$launchers/$w.XXXXXX")"
        printf '#!/bin/sh\nexec chroot %s /bin/sh -c %s sh "$PWD" /usr/lib/wine/%s "$@"\n' \
            "$ROOT" "'cd \"\$1\" 2>/dev/null; shift; exec \"\$@\"'" "$w" >"$t"
        chmod +x "$t"
        mv "$t" "$launchers/$w"
        [ -e "/usr/lib/wine/$w" ] && mount --bind "$launchers/$w" "/usr/lib/wine/$w"
    done
    # Wine 10's Wayland driver complains on every start without a runtime directory.
    mkdir -p -m 700 "$ROOT/run/zrno-xdg"
    export ZRNO_WINE10="$ROOT" XDG_RUNTIME_DIR=/run/zrno-xdg
    # The first process of the namespace takes no signal it has no handler for, and its end ends the rest.
    trap 'exit 129' HUP
    trap 'exit 130' INT
    trap 'exit 143' TERM
    exec 3<&0
    "$@" <&3 3<&- &
    wait $!
}

case "$1" in
root)
    build_root
    ;;
run | shell)
    [ $# -ge 2 ] || { echo "usage: $0 run BUILD-DIR COMMAND..." >&2; exit 2; }
    build_root
    build="$(cd "$2" && pwd)"
    if [ "$1" = shell ]; then
        set -- "${SHELL:-/bin/sh}"
    else
        shift 2
    fi
    [ $# -ge 1 ] || { echo "usage: $0 run BUILD-DIR COMMAND..." >&2; exit 2; }
    # The process namespace's first process is this script: when it ends, so does every wineserver
    # or service a failed run left behind.
    exec unshare --user --map-root-user --mount --propagation private --pid --fork --kill-child \
        sh "$SELF" --inside "$build" "$@"
    ;;
--inside)
    shift
    inside "$@"
    ;;
*)
    echo "usage: $0 root | run BUILD-DIR COMMAND... | shell BUILD-DIR" >&2
    exit 2
    ;;
esac
