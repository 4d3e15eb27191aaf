#!/usr/bin/env bash
# Runs the fuzz targets for longer than test.sh does (10 minutes each unless
# told otherwise), keeping the corpus they grow in build-fuzz/corpus/ between
# runs. Fork mode with timeouts ignored keeps a run going past the known hangs
# of tests/fuzz/hangs/; every finding, timeouts included, is still written to
# build-fuzz/findings/. Usage: fuzz-long.sh [SECONDS_PER_TARGET] [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}; shift || true
FUZZ_KEEP=1 FUZZ_FLAGS="-fork=1 -ignore_timeouts=1 ${FUZZ_FLAGS:-}" exec "$root/scripts/fuzz.sh" "$seconds" "$@"
