#!/usr/bin/env bash
# Shared set-up for run.sh and test.sh: installs what is missing, fetches the
# pinned PDFium build, configures and builds. Usage: setup.sh BUILD_DIR [cmake args...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$1; shift

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libqpdf-dev libpng-dev libjpeg-dev libgtest-dev
          desktop-file-utils appstream dpkg-dev)
missing=()
# npm may come from elsewhere than Debian's package; the command is what counts.
command -v npm >/dev/null || missing+=(npm)
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [[ $(id -u) == 0 ]]; then sudo=(); else sudo=(sudo); fi
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
fi

"$root/scripts/fetch-pdfium.sh"

cmake_args=(-G Ninja -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE="${CMAKE_BUILD_TYPE:-RelWithDebInfo}"
            -DPDFIUM_LIBRARY="$root/.cache/pdfium/libpdfium.so" "$@")
if [[ ! -f $build_dir/build.ninja ]]; then
  cmake "${cmake_args[@]}"
else
  cmake "${cmake_args[@]}" >/dev/null
fi
cmake --build "$build_dir"
