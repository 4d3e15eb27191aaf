#!/usr/bin/env bash
# Installs into a temporary prefix and runs the installed program from another
# folder; validates the desktop data; builds the Debian package and checks
# what it holds. Usage: install_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1 build_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
mkdir -p "$work/elsewhere"
cd "$work/elsewhere"
"$work/prefix/bin/splimera" --version | grep -q '^Splimera ' || fail "installed program does not run"
cp "$source_dir/resources/testFile.pdf" a.pdf
cp "$source_dir/resources/testFile.pdf" b.pdf
env -u DISPLAY -u WAYLAND_DISPLAY HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
  "$work/prefix/bin/splimera" -qm a.pdf b.pdf -o merged.pdf >out.txt 2>err.txt || fail "silent merge failed: $(cat err.txt)"
grep -qx 'Silent Merge operation done.' out.txt || fail "no completion line: $(cat out.txt)"
[[ -s merged.pdf ]] || fail "no merged output"

# Libraries are looked for beside the program and in the system's folders, never
# in the folder the program is started from (an empty run path entry).
for binary in "$build_dir/splimera" "$build_dir/libsplimera_command_line.so" "$build_dir/libsplimera_window.so" "$work/prefix/lib/splimera/splimera"; do
  runpath=$(readelf -d "$binary" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
  [[ $runpath == '$ORIGIN' ]] || fail "$binary has the run path '$runpath'"
done

desktop-file-validate "$source_dir/data/org.brellow.Splimera.desktop"
appstreamcli validate --no-net "$source_dir/data/org.brellow.Splimera.metainfo.xml" >/dev/null

(cd "$build_dir" && cpack -G DEB -B "$work/package" >/dev/null) || fail "cpack failed"
deb=$(ls "$work"/package/splimera_*.deb)
contents=$(dpkg-deb -c "$deb")
for needed in bin/splimera lib/splimera/splimera lib/splimera/libsplimera_command_line.so lib/splimera/libsplimera_window.so lib/splimera/libsplimera_keyring.so lib/splimera/libpdfium.so lib/splimera/languages/English.ini \
              share/icons/hicolor/scalable/apps/splimera.svg share/applications/org.brellow.Splimera.desktop \
              share/man/man1/splimera.1.gz share/metainfo/org.brellow.Splimera.metainfo.xml \
              share/doc/splimera/copyright share/doc/splimera/changelog.gz; do
  grep -q "$needed" <<<"$contents" || fail "package lacks $needed"
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "package does not depend on Qt"
# Stripped binaries, their debug symbols in the -dbgsym package beside it.
dpkg-deb -x "$deb" "$work/unpacked"
file "$work/unpacked/usr/lib/splimera/splimera" | grep -q ', stripped' || fail "the program is not stripped"
ls "$work"/package/splimera-dbgsym_*.ddeb >/dev/null 2>&1 || fail "no debug symbols package"
symbols=$(dpkg-deb -c "$work"/package/splimera-dbgsym_*.ddeb)
grep -q 'usr/lib/debug/.build-id/.*\.debug' <<<"$symbols" || fail "the debug symbols package holds no symbols"
if command -v lintian >/dev/null; then
  # The warnings left: CPack's maintainer scripts call ldconfig for any shared
  # object under usr/lib, the program's own libpdfium.so included.
  errors=$(lintian --tag-display-limit 0 "$deb" 2>/dev/null | grep '^E:' || true)
  [[ -z $errors ]] || fail "lintian finds errors: $errors"
fi
echo "install test passed"
