#!/usr/bin/env bash
# Takes the documentation screenshots into docs/screenshots/ (every tab of the
# main window in English, German, Japanese and Arabic, the protection dialog in
# English and German, the window narrow and wide, and a job in progress): builds the
# screenshot tool in the test tree and runs it under Xvfb, so that the pictures
# show the fonts of a desktop. Usage: screenshots.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
"$root/scripts/install-packages.sh" xvfb xauth
"$root/scripts/setup.sh" --tests --target splimera_screenshots "$build"
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1600x1000x24" \
  "$build/splimera_screenshots" "$root/docs/screenshots"
