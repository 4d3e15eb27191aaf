#!/usr/bin/env bash
# Sets up, builds and runs every test through CTest.
# SANITIZE=1 ./test.sh builds a second tree (build-asan) with the address and
# undefined-behaviour sanitizers and runs the tests there. In CI (CI=true) the
# tests run in both trees; locally only the plain tree runs, to stay quick.
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
    "$root/scripts/setup.sh" "$build" -DSPLIMERA_SANITIZE=ON
  else
    build=$root/build
    "$root/scripts/setup.sh" "$build"
  fi
}

setup_tree "${trees[0]}"
# Each fuzz target runs briefly over its seeds (FUZZ_SECONDS=0 skips them).
if [[ ${FUZZ_SECONDS:-5} != 0 ]]; then
  "$root/scripts/fuzz.sh" "${FUZZ_SECONDS:-5}"
fi
for tree in "${trees[@]}"; do
  [[ $tree == "${trees[0]}" ]] || setup_tree "$tree"
  (cd "$build" && ctest --output-on-failure -j2 "$@")
done
