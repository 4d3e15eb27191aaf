#!/usr/bin/env bash
# Takes the documentation screenshots into docs/screenshots/ by running the
# screenshot tests of the test programs under Xvfb (the main window in English
# and German, the protection dialog).
# Needs xvfb-run (Debian: xvfb) and ImageMagick; run after a build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
mkdir -p "$root/docs/screenshots"
export SPLIMERA_SCREENSHOTS=$root/docs/screenshots
for program in "$build"/test_*; do
  [[ -x $program ]] || continue
  "$program" --gtest_list_tests --gtest_also_run_disabled_tests | grep -q DISABLED_ || continue
  env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1600x1000x24" \
    "$program" --gtest_also_run_disabled_tests --gtest_filter='Screenshot*.DISABLED_*:MainWindowScreenshots.*'
done
