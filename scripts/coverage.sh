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
# A compiler cache shared across trees would hand back objects whose notes name another tree's sources.
unset CCACHE_NOHASHDIR
ninja -C "$B" -j"${JOBS:-2}"
find "$B" -name '*.gcda' -delete
# The counters are written at process exit to the absolute paths compiled in; Z: is the Unix root under
# Wine, so programs whose current drive is another (services start in C:\windows) write there too.
( cd "$B" && GCOV_PREFIX=Z: ctest --output-on-failure --timeout 900 ) ||
    echo "coverage: some tests failed; the figures below are those of the run as it went"
mkdir -p "$B/coverage"
# Counters are looked for in this tree alone, not in its Wine prefixes: their drive links reach every
# tree on the machine, and another tree's counters of an older source break the merge.
gcovr -r "$ROOT" --object-directory "$B" --gcov-executable x86_64-w64-mingw32-gcov \
    --filter "$ROOT/(frame|strings|streams|digests|threads|system|util|include)/" \
    --exclude-unreachable-branches --exclude-throw-branches \
    --exclude-directories '.*prefix$' \
    --json-summary "$B/coverage/summary.json" --html-details "$B/coverage/index.html" "$B" >/dev/null
python3 - "$B/coverage/summary.json" <<'EOF'
import json, sys
files = json.load(open(sys.argv[1]))["files"]
# The last two columns leave out the branches of code inlined from headers: GCC counts them once per
# inlining site, so a header helper inlined in twenty places weighs twenty times its own branches.
rows = {}
for f in files:
    folder = f["filename"].split("/")[0]
    row = rows.setdefault(folder, [0] * 6)
    own = f["filename"].endswith(".cpp")
    for i, v in enumerate((f["line_covered"], f["line_total"], f["branch_covered"], f["branch_total"],
                           f["branch_covered"] * own, f["branch_total"] * own)):
        row[i] += v
def pct(a, b):
    return "%5.1f%%" % (100.0 * a / b) if b else "    -"
print("%-9s %17s %17s %17s" % ("folder", "lines", "branches", "in .cpp files"))
order = ["frame", "strings", "streams", "digests", "threads", "system", "util", "include"]
total = [0] * 6
for folder in order + sorted(set(rows) - set(order)):
    if folder in rows:
        r = rows[folder]
        total = [a + b for a, b in zip(total, r)]
        print("%-9s" % folder + "".join(" %s %5d/%5d" % (pct(r[i], r[i + 1]), r[i], r[i + 1]) for i in (0, 2, 4)))
r = total
print("%-9s" % "total" + "".join(" %s %5d/%5d" % (pct(r[i], r[i + 1]), r[i], r[i + 1]) for i in (0, 2, 4)))
EOF
echo "coverage: HTML report in $B/coverage/index.html"
