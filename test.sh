#!/usr/bin/env bash
# Sets up, builds and runs every test through CTest.
# SANITIZE=1 ./test.sh builds a second tree (build-asan) with the address and
# undefined-behaviour sanitizers and runs the tests there.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
if [[ ${SANITIZE:-0} == 1 ]]; then
  build=$root/build-asan
  "$root/scripts/setup.sh" "$build" -DSPLIMERA_SANITIZE=ON
else
  build=$root/build
  "$root/scripts/setup.sh" "$build"
fi
# Each fuzz target runs briefly over its seeds (FUZZ_SECONDS=0 skips them).
if [[ ${FUZZ_SECONDS:-5} != 0 ]]; then
  "$root/scripts/fuzz.sh" "${FUZZ_SECONDS:-5}"
fi
cd "$build"
ctest --output-on-failure -j2 "$@"
