#!/usr/bin/env bash
# Runs the fuzz targets for longer than test.sh does (10 minutes each unless
# told otherwise), keeping the corpus they grow in build-fuzz/corpus/ between
# runs. Like the short runs, a run goes on past the known hangs
# of tests/fuzz/hangs/; every finding, timeouts included, is still written to
# build-fuzz/findings/. Usage: fuzz-long.sh [SECONDS_PER_TARGET] [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}; shift || true
FUZZ_KEEP=1 exec "$root/scripts/fuzz.sh" "$seconds" "$@"
