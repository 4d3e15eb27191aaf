#!/usr/bin/env bash
# Fetches the pinned prebuilt PDFium (an npm package that carries libpdfium.so),
# checks its sha256 and keeps it in .cache/pdfium. Never committed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=$root/.cache/pdfium
package=@craftlions/pdfium-rs-linux-x64-gnu@0.0.15
sha256=246872bdd5e05843b70051e6378216cc584535a1f4a7248b9f88059715d70f7c

if [[ -f $cache/libpdfium.so ]] && echo "$sha256  $cache/libpdfium.so" | sha256sum -c --status; then
  exit 0
fi
# npm may come from elsewhere than Debian's package; the command is what counts.
command -v npm >/dev/null || "$root/scripts/install-packages.sh" npm
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "$package" >/dev/null && tar xzf ./*.tgz package/libpdfium.so)
if ! echo "$sha256  $work/package/libpdfium.so" | sha256sum -c --status; then
  echo "libpdfium.so from $package does not have the expected sha256" >&2
  exit 1
fi
mkdir -p "$cache"
mv "$work/package/libpdfium.so" "$cache/libpdfium.so"
