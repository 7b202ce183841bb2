#!/bin/sh
# test.sh X64-BUILD X86-BUILD: the whole suite of both builds, as `make test` runs it.
#   1. x86_64 under the host's Wine 8;
#   2. i686 under trixie's Wine 10 with the 32-bit side emulated by qemu-i386 (scripts/wine10.sh);
#   3. x86_64 again under that Wine 10, so that two Wine versions check every assumption.
# Every suite runs whatever the others did. The output ends with one line per suite (CTest's summary
# and the time it took) and the totals as "N passed, N failed"; the exit status is non-zero when any
# suite failed or gave no summary. Each suite's full output stays in BUILD/Testing/suite-*.log.
set -u
X64="$1"
X86="$2"
HERE="$(cd "$(dirname "$0")" && pwd)"
CTEST="ctest --output-on-failure --timeout 900"
results=""
status=0

now() { date +%s; }

# suite NAME TREE LOG COMMAND...: runs one suite, echoing its output, and notes its summary.
suite() {
    name="$1" tree="$2" log="$2/Testing/$3"
    shift 3
    mkdir -p "$tree/Testing"
    echo "=== $name"
    start=$(now)
    # The pipe would lose the command's status: it goes through a file.
    { "$@"; echo $? >"$log.status"; } 2>&1 | tee "$log"
    secs=$(($(now) - start))
    summary="$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)"
    code="$(cat "$log.status" 2>/dev/null)"
    if [ -n "$summary" ]; then
        failed=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
        total=$(echo "$summary" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
    else
        summary="no CTest summary: the suite did not run"
        failed=1 total=1
    fi
    [ "$failed" -eq 0 ] && [ "$code" = 0 ] || status=1
    passed_all=$((${passed_all:-0} + total - failed))
    failed_all=$((${failed_all:-0} + failed))
    results="$results$(printf '%-34s %s (%d s)' "$name:" "$summary" "$secs")
"
}

start=$(now)
if sh "$HERE/wine10.sh" root; then
    root_secs=$(($(now) - start))
    suite "x86_64 under Wine 8" "$X64" suite-wine8.log sh -c "cd '$X64' && $CTEST"
    suite "i686 under Wine 10 (qemu-i386)" "$X86" suite-wine10.log \
        sh "$HERE/wine10.sh" run "$X86" sh -c "cd '$X86' && $CTEST"
    suite "x86_64 under Wine 10" "$X64" suite-wine10.log \
        sh "$HERE/wine10.sh" run "$X64" sh -c "cd '$X64' && $CTEST"
else
    root_secs=$(($(now) - start))
    echo "test.sh: the Wine 10 root could not be built: only the x86_64 suite under Wine 8 runs" >&2
    suite "x86_64 under Wine 8" "$X64" suite-wine8.log sh -c "cd '$X64' && $CTEST"
    results="${results}Wine 10 root:                      not built: i686 suite not run
"
    status=1
    failed_all=$((failed_all + 1))
fi

echo
echo "=== Summary (Wine 10 root ready in $root_secs s)"
printf '%s' "$results"
echo "${passed_all:-0} passed, ${failed_all:-0} failed"
exit $status
