#!/bin/sh
# Host reference for the digest and Base64 benchmarks, printed after the Wine run: native OpenSSL MD5,
# SHA-1 and SHA-256 (16 KiB blocks) and coreutils base64 over a 256 MiB file.
# Usage: bench-host.sh DIR [FILTER] (skipped when FILTER names none of these benchmarks).
set -e
dir=$1
case "$(echo "$2" | tr 'A-Z' 'a-z')" in
"" | *md5* | *sha1* | *crc* | *base64* | *odtis* | *256*) ;;
*) exit 0 ;;
esac
if ! command -v openssl >/dev/null 2>&1; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -q || true
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends openssl
fi

echo
echo "host reference (native, not under Wine)"
for alg in md5 sha1 sha256; do
    openssl speed -evp $alg -seconds 1 -bytes 16384 2>/dev/null |
        awk -v a=$alg '$1 == a { sub(/k$/, "", $2); printf "  openssl %-6s %8.0f MB/s\n", a, $2 / 1000 }'
done

data=$dir/bench-host.bin
text=$dir/bench-host.b64
trap 'rm -f "$data" "$text"' EXIT
head -c 268435456 /dev/urandom >"$data"
sekunde() { date +%s.%N; }
a=$(sekunde)
base64 -w 0 "$data" >"$text"
b=$(sekunde)
base64 -d "$text" >/dev/null
c=$(sekunde)
awk -v a="$a" -v b="$b" -v c="$c" 'BEGIN {
    printf "  coreutils base64 encode 256 MiB %8.1f ms %8.0f MB/s\n", (b - a) * 1000, 268.435456 / (b - a)
    printf "  coreutils base64 decode 256 MiB %8.1f ms %8.0f MB/s (of bytes out)\n", (c - b) * 1000, 268.435456 / (c - b)
}'
