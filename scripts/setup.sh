#!/usr/bin/env bash
# Shared set-up of run.sh, test.sh and the other scripts: installs the Debian
# packages that are missing, fetches the pinned PDFium build, configures and
# builds. Usage: setup.sh [--tests] [--target NAME]... BUILD_DIR [cmake args...]
#   --tests        also installs what the tests and the package checks need, and
#                  configures the tree with its tests, fuzz seed runs and tools
#   --target NAME  builds only NAME and what it needs (default: the whole tree)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# What building and running the program needs (npm, for fetching PDFium, is
# installed by fetch-pdfium.sh when it has to fetch); Qt's own translations
# let its dialogs follow the chosen language, and the Noto fonts show the
# Arabic, Chinese, Japanese and Korean captions.
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-translations-l10n fonts-noto-core fonts-noto-cjk libqpdf-dev libpng-dev libjpeg-dev libutf8proc-dev qtkeychain-qt6-dev libmimalloc-dev)
# What the tests need besides: GoogleTest, and the tools that check the desktop
# data and build and check the Debian package (cpack runs file and dpkg-shlibdeps).
test_packages=(libgtest-dev desktop-file-utils appstream dpkg-dev file lintian gnome-keyring dbus-daemon)

cmake_args=() build_args=()
while [[ ${1:-} == --* ]]; do
  case $1 in
    --tests) packages+=("${test_packages[@]}"); cmake_args+=(-DSPLIMERA_TESTS=ON); shift ;;
    --target) build_args+=(--target "$2"); shift 2 ;;
    *) echo "setup.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
build_dir=$1; shift

"$root/scripts/install-packages.sh" "${packages[@]}"
"$root/scripts/fetch-pdfium.sh"

cmake_args=(-G Ninja -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE="${CMAKE_BUILD_TYPE:-RelWithDebInfo}"
            -DPDFIUM_LIBRARY="$root/.cache/pdfium/libpdfium.so" "${cmake_args[@]}" "$@")
# A compiler cache, where the machine has one, makes rebuilds of other trees cheap.
if command -v ccache >/dev/null; then
  cmake_args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [[ ! -f $build_dir/build.ninja ]]; then
  cmake "${cmake_args[@]}"
else
  cmake "${cmake_args[@]}" >/dev/null
fi
cmake --build "$build_dir" "${build_args[@]}"
