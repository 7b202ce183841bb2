#!/bin/sh
# coverage.sh [BUILD]: line and branch coverage of the library's own code by the whole CTest suite.
# Builds an x86_64 tree whose DLL alone is instrumented (scripts/coverage.cmake), runs the suite under
# Wine, then prints a summary per library folder and writes an HTML report to BUILD/coverage/.
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
B=$(mkdir -p "${1:-$ROOT/build/coverage}" && cd "${1:-$ROOT/build/coverage}" && pwd)
if ! command -v gcovr >/dev/null; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -q || true
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends gcovr
fi
[ -f "$B/build.ninja" ] || cmake -S "$ROOT" -B "$B" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/x86_64.cmake \
    -DCMAKE_PROJECT_INCLUDE="$ROOT/scripts/coverage.cmake"
ninja -C "$B" -j"${JOBS:-2}"
find "$B" -name '*.gcda' -delete
# The counters are written at process exit to the absolute paths compiled in; Z: is the Unix root under
# Wine, so programs whose current drive is another (services start in C:\windows) write there too.
( cd "$B" && GCOV_PREFIX=Z: ctest --output-on-failure --timeout 900 ) ||
    echo "coverage: some tests failed; the figures below are those of the run as it went"
mkdir -p "$B/coverage"
gcovr -r "$ROOT" --object-directory "$B" --gcov-executable x86_64-w64-mingw32-gcov \
    --filter "$ROOT/(frame|strings|streams|digests|threads|system|util|include)/" \
    --exclude-unreachable-branches --exclude-throw-branches \
    --json-summary "$B/coverage/summary.json" --html-details "$B/coverage/index.html" >/dev/null
python3 - "$B/coverage/summary.json" <<'EOF'
import json, sys
files = json.load(open(sys.argv[1]))["files"]
keys = ("line_covered", "line_total", "branch_covered", "branch_total")
rows = {}
for f in files:
    folder = f["filename"].split("/")[0]
    row = rows.setdefault(folder, [0, 0, 0, 0])
    for i, k in enumerate(keys):
        row[i] += f[k]
def pct(a, b):
    return "%5.1f%%" % (100.0 * a / b) if b else "    -"
print("%-9s %17s %17s" % ("folder", "lines", "branches"))
order = ["frame", "strings", "streams", "digests", "threads", "system", "util", "include"]
total = [0, 0, 0, 0]
for folder in order + sorted(set(rows) - set(order)):
    if folder in rows:
        r = rows[folder]
        total = [a + b for a, b in zip(total, r)]
        print("%-9s %s %5d/%5d  %s %5d/%5d" % (folder, pct(r[0], r[1]), r[0], r[1], pct(r[2], r[3]), r[2], r[3]))
r = total
print("%-9s %s %5d/%5d  %s %5d/%5d" % ("total", pct(r[0], r[1]), r[0], r[1], pct(r[2], r[3]), r[2], r[3]))
EOF
echo "coverage: HTML report in $B/coverage/index.html"
