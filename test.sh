#!/usr/bin/env bash
# Sets up and builds the test tree (build/), and runs every test through CTest:
# the unit and widget tests, the install check, and each fuzz target once over
# its seeds. Arguments go to ctest.
# SANITIZE=1 ./test.sh builds a second tree (build-asan) with the address and
# undefined-behaviour sanitizers and runs the tests there. In CI (CI=true) the
# tests run in both trees, then each fuzz target runs for a few seconds under
# libFuzzer (a clang tree, build-fuzz). FUZZ_SECONDS=N runs the fuzz targets
# for N seconds each, locally too; FUZZ_SECONDS=0 skips them in CI.
# SPLIMERA_CORPUS=FOLDER runs every job over the PDF files of FOLDER too
# (.ci/run points it at the shared corpus of real files when there is one).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
if [[ ${SANITIZE:-0} == 1 ]]; then
  trees=(asan)
elif [[ ${CI:-} == true ]]; then
  trees=(plain asan)
else
  trees=(plain)
fi

# Configures and builds the tree named by $1; its folder is put in $build.
setup_tree() {
  if [[ $1 == asan ]]; then
    build=$root/build-asan
    # fontconfig keeps what Qt's font database loads until the process ends.
    export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
    # The corpus of real files (SPLIMERA_CORPUS) is sampled in this slower tree.
    export SPLIMERA_CORPUS_STRIDE=${SPLIMERA_CORPUS_STRIDE:-16}
    "$root/scripts/setup.sh" --tests "$build" -DSPLIMERA_SANITIZE=ON
  else
    build=$root/build
    "$root/scripts/setup.sh" --tests "$build"
  fi
}

for tree in "${trees[@]}"; do
  setup_tree "$tree"
  (cd "$build" && ctest --output-on-failure -j2 "$@")
done

fuzz_seconds=${FUZZ_SECONDS:-}
if [[ -z $fuzz_seconds && ${CI:-} == true ]]; then fuzz_seconds=5; fi
if [[ ${fuzz_seconds:-0} != 0 ]]; then
  "$root/scripts/fuzz.sh" "$fuzz_seconds"
fi
