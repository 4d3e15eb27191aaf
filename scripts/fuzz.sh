#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (address and undefined-
# behaviour sanitizers on) in build-fuzz, and runs each over its seed corpus
# for a bounded time. Usage: fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
# (The test trees only run each target once over its seeds, without libFuzzer.)
# Crashes are written to build-fuzz/findings/; keep each as a seed in
# tests/fuzz/corpus/<target>/ once it is fixed, where the tests replay it.
# Each run starts from the seeds in a scratch folder that is thrown away, unless
# FUZZ_KEEP=1: then build-fuzz/corpus/<target>/ keeps what the runs learn, so
# that longer runs (bench/fuzz-long.sh) go on where the last one stopped.
# Runs go in fork mode with timeouts ignored: the prebuilt PDFium hangs on a
# page whose /Parent chain loops (tests/fuzz/hangs/README.md), and mutation
# reaches that within seconds. Timeouts are still written to the findings and
# listed; crashes, leaks, sanitizer reports and running out of memory fail.
# FUZZ_FLAGS passes more libFuzzer options; tests/fuzz/<target>.flags holds a
# target's own (a tighter memory limit, say).
# An undefined-behaviour report ends the run like a crash.
# Leaks inside the prebuilt PDFium library are suppressed by tests/fuzz/lsan.supp.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-10}; shift || true
build=$root/build-fuzz

"$root/scripts/install-packages.sh" clang libclang-rt-14-dev libfuzzer-14-dev
# The build's output is shown only when it fails (ninja writes compiler errors on standard output).
mkdir -p "$build"
if ! CC=clang CXX=clang++ "$root/scripts/setup.sh" "$build" -DSPLIMERA_FUZZ=ON >"$build/setup.log" 2>&1; then
  cat "$build/setup.log" >&2
  exit 1
fi

targets=("$@")
if ((${#targets[@]} == 0)); then
  for t in "$build"/fuzz_*; do targets+=("$(basename "$t" | sed 's/^fuzz_//')"); done
fi
mkdir -p "$build/findings"
status=0
for t in "${targets[@]}"; do
  if [[ ${FUZZ_KEEP:-0} == 1 ]]; then work=$build/corpus/$t; mkdir -p "$work"; else work=$(mktemp -d); fi
  cp -r "$root/tests/fuzz/corpus/$t/." "$work/" 2>/dev/null || true
  rc=0
  (cd "$build" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 LSAN_OPTIONS=suppressions="$root/tests/fuzz/lsan.supp" ./"fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        $(cat "$root/tests/fuzz/$t.flags" 2>/dev/null || true) \
        -fork=1 -ignore_timeouts=1 -ignore_ooms=0 -ignore_crashes=0 -timeout_exitcode=70 ${FUZZ_FLAGS:-} -artifact_prefix="$build/findings/$t-" "$work" >"$build/findings/$t.log" 2>&1) || rc=$?
  # 70 is libFuzzer's exit code for a timeout, which fork mode passes on when
  # the last job of the run times out.
  if [[ $rc == 0 || $rc == 70 ]]; then
    runs=$(grep -Eo '^#[0-9]+' "$build/findings/$t.log" | tail -1 | tr -d '#')
    hangs=$(grep -Eo 'oom/timeout/crash: [0-9]+/[0-9]+' "$build/findings/$t.log" | tail -1 | cut -d/ -f4)
    note=""; [[ ${hangs:-0} == 0 ]] || note=", $hangs timeouts written to $build/findings (see tests/fuzz/hangs/README.md)"
    echo "fuzz $t: ${runs:-0} runs in ${seconds}s, no crash, leak or sanitizer report$note"
  else
    echo "fuzz $t: FOUND A FAILURE, see $build/findings/$t.log" >&2
    tail -30 "$build/findings/$t.log" >&2
    status=1
  fi
  [[ ${FUZZ_KEEP:-0} == 1 ]] || rm -rf "$work"
done
exit $status
