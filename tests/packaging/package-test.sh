#!/usr/bin/env bash
# package-test.sh: builds the Debian packages with scripts/package.sh (which
# fails on any lintian error), unpacks them into a scratch root (dpkg -x, the
# library found through LD_LIBRARY_PATH) and tries what a user gets: each
# program's --version without a display, each manual page, the desktop entry,
# the AppStream metainfo, the icons, and the packages' relations.
set -euo pipefail
version="$VANTIX_VERSION" packages="$VANTIX_SOURCE_DIR/build/packages"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

echo "== scripts/package.sh"
if ! "$VANTIX_SOURCE_DIR/scripts/package.sh" >"$scratch/package.log" 2>&1; then
  cat "$scratch/package.log"
  echo "FAILED: scripts/package.sh" >&2
  exit 1
fi
grep -E '^[EW]: ' "$scratch/package.log" || true
architecture="$(dpkg --print-architecture)"
for package in fernwick-vantix vantix libfwkvxsdk1 libfwkvxsdk-dev vantix-scanner-sim; do
  deb="$packages/${package}_${version}_$architecture.deb"
  [ -f "$deb" ] || { fail "no $deb"; continue; }
  dpkg -x "$deb" "$scratch/root"
done
[ "$(dpkg-deb -f "$packages/libfwkvxsdk1_${version}_$architecture.deb" Depends)" != "" ] || fail "the library has no dependencies"
for package in fernwick-vantix vantix libfwkvxsdk-dev; do
  dpkg-deb -f "$packages/${package}_${version}_$architecture.deb" Depends | grep -qF "libfwkvxsdk1 (= $version)" ||
    fail "$package does not depend on libfwkvxsdk1 (= $version)"
done
dpkg-deb -f "$packages/fernwick-vantix_${version}_$architecture.deb" Depends | grep -q libqt6widgets6 ||
  fail "fernwick-vantix does not depend on Qt (dpkg-shlibdeps)"

echo "== the programs"
usr="$scratch/root/usr"
export LD_LIBRARY_PATH="$usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
for program in vantix fernwick-vantix vantix-scanner-sim; do
  shown="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/$program" --version 2>/dev/null)" ||
    fail "$program --version exits with $?"
  [ "$shown" = "$program $version" ] || fail "$program --version shows \"$shown\""
done

echo "== manual pages"
for program in vantix fernwick-vantix vantix-scanner-sim; do
  page="$usr/share/man/man1/$program.1.gz"
  text="$(MANWIDTH=80 man --warnings -l "$page" 2>"$scratch/man.err")" || fail "man -l $page"
  [ ! -s "$scratch/man.err" ] || fail "man -l $page: $(cat "$scratch/man.err")"
  grep -q "^NAME" <<<"$text" && grep -q "$program -" <<<"$text" || fail "$page has no NAME section"
done

echo "== desktop entry, metainfo and icons"
desktop="$usr/share/applications/org.fernwick.vantix.desktop"
report="$(desktop-file-validate "$desktop" 2>&1)" && [ -z "$report" ] || fail "desktop-file-validate: $report"
appstreamcli validate --no-net --pedantic "$usr/share/metainfo/org.fernwick.vantix.metainfo.xml" >"$scratch/as.log" 2>&1 ||
  fail "appstreamcli validate: $(cat "$scratch/as.log")"
for size in 16 32 48 64 128 256; do
  file "$usr/share/icons/hicolor/${size}x$size/apps/org.fernwick.vantix.png" | grep -q "PNG image data, $size x $size" ||
    fail "no $size x $size icon"
done
for package in fernwick-vantix vantix libfwkvxsdk1 libfwkvxsdk-dev vantix-scanner-sim; do
  grep -q "^License: MIT" "$usr/share/doc/$package/copyright" || fail "$package has no copyright file"
done

[ "$failures" -eq 0 ] && echo "the packages hold" || exit 1
