#!/usr/bin/env bash
# Sets up, builds and starts Splimera with the given arguments. Only the program
# and the files beside it are built; ./test.sh builds the tests.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh" --target splimera "$root/build" >&2
exec "$root/build/splimera" "$@"
