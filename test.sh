#!/usr/bin/env bash
# Installs what is missing, checks that includes point down the layers,
# builds both trees and runs every test layer: native unit tests under
# sanitizers, the programs' import tables, Windows tests under Wine,
# end-to-end runs of lumora.exe, and each fuzz target briefly. One summary
# at the end; non-zero exit on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
log=$root/build/test-logs
FUZZ_RUNS=${LUMORA_FUZZ_RUNS:-20000}
# A target whose every input decodes a whole fixed-size picture (Photo CD)
# stops at this many seconds instead; the long runs are made by hand.
FUZZ_SECONDS=${LUMORA_FUZZ_SECONDS:-30}

passed=0
failed=0
failures=()
note() { printf '\n== %s\n' "$*"; }
count_ctest() {  # adds a ctest run's totals from its output file
    local out=$1 total fails
    total=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\2/p' "$out" | tail -n 1)
    fails=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1/p' "$out" | tail -n 1)
    if [ -z "$total" ]; then
        failed=$((failed + 1)); failures+=("$2: ctest did not run"); return
    fi
    passed=$((passed + total - fails))
    failed=$((failed + fails))
    [ "$fails" = 0 ] || failures+=("$2: $(sed -n '/tests FAILED:/,/^[^[:space:]]/p' "$out" | grep -E '^\s+[0-9]+ - ' | sed 's/^ *//' | tr '\n' ';')")
}
one() {  # one named check from its exit status
    if [ "$2" = 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); failures+=("$1"); fi
}

note "setup"
scripts/setup.sh || { echo "test: setup failed"; exit 1; }
mkdir -p "$log"
scripts/make-test-data.sh "$root/build/testdata" || { echo "test: could not make the test pictures"; exit 1; }

# A real printer: CUPS must run before the first Wine program starts.
note "printer"
source scripts/printer.sh
if lumora_start_printer; then r=0; else r=1; fi
one "printer" $r

note "layers"
if scripts/check-layers.sh; then r=0; else r=1; fi
one "layers" $r

source scripts/wine-env.sh
build() {  # tree [targets]
    scripts/build.sh "$@" >"$log/build-$1.log" 2>&1 || { tail -n 40 "$log/build-$1.log"; echo "test: $1 build failed"; exit 1; }
}
note "build"
build native
if [ "$LUMORA_WIN_TREE" = win32 ]; then
    build win32
else
    # The shipped 32-bit program still has to build; its tests run as 64-bit.
    echo "this kernel cannot run 32-bit programs: the Windows tests run the 64-bit build"
    build win32 lumora
    build win64
fi
echo "trees built"

note "import tables"
programs=(build/win32/lumora.exe)
[ "$LUMORA_WIN_TREE" = win64 ] && programs+=(build/win64/lumora.exe)
if bash tests/imports/check.sh "${programs[@]}" >"$log/imports.log" 2>&1; then r=0; else r=1; fi
cat "$log/imports.log"
one "import tables" $r

note "native unit tests (ASan + UBSan)"
(cd build/native && ctest --output-on-failure -j2) >"$log/native.log" 2>&1
tail -n 3 "$log/native.log"
count_ctest "$log/native.log" native

note "Windows tests under Wine ($LUMORA_WIN_TREE)"
source scripts/display.sh
lumora_wine_prefix
if lumora_start_xvfb; then
    # The first Wine call picks the server for this prefix; keep it alive for the run.
    timeout 300 wine cmd /c exit >/dev/null 2>&1
    wineserver -p
    (cd "build/$LUMORA_WIN_TREE" && ctest --output-on-failure --timeout 300) >"$log/windows.log" 2>&1
    tail -n 3 "$log/windows.log"
    count_ctest "$log/windows.log" "$LUMORA_WIN_TREE"

    note "end to end"
    for t in tests/e2e/*.sh; do
        [ -e "$t" ] || continue
        if bash "$t" >"$log/e2e-$(basename "$t" .sh).log" 2>&1; then r=0; else r=1; fi
        echo "$(basename "$t"): $([ $r = 0 ] && echo passed || echo FAILED)"
        [ $r = 0 ] || tail -n 20 "$log/e2e-$(basename "$t" .sh).log"
        one "e2e $(basename "$t")" $r
    done
    wineserver -k 2>/dev/null || true
    lumora_stop_xvfb
else
    one "Xvfb start" 1
fi

note "fuzz targets ($FUZZ_RUNS inputs or $FUZZ_SECONDS s each)"
for f in build/native/fuzz_*; do
    [ -x "$f" ] || continue
    name=$(basename "$f")
    work=$root/build/fuzz-work/$name
    rm -rf "$work" && mkdir -p "$work"
    seeds=()
    for d in "fuzz/corpus/${name#fuzz_}" "tests/crashers/${name#fuzz_}"; do [ -d "$d" ] && seeds+=("$d"); done
    if "$f" -runs="$FUZZ_RUNS" -max_total_time="$FUZZ_SECONDS" -seed=1 -rss_limit_mb=4096 -malloc_limit_mb=3072 -artifact_prefix="$work/" \
        "$work" "${seeds[@]}" >"$log/$name.log" 2>&1; then r=0; else r=1; fi
    echo "$name: $(grep -o 'Done [0-9]* runs' "$log/$name.log" || echo 'did not finish')"
    [ $r = 0 ] || tail -n 30 "$log/$name.log"
    one "$name" $r
done

lumora_stop_printer

note "summary"
for f in "${failures[@]}"; do echo "FAILED: $f"; done
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
