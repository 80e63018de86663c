#!/usr/bin/env bash
# package-test.sh: builds the Debian packages with scripts/package.sh (which
# fails on any lintian error), unpacks them into a scratch root (dpkg -x, the
# library found through LD_LIBRARY_PATH) and tries each program's --version
# without a display, each manual page, the metainfo and the packages' relations.
set -euo pipefail
version="$VANTIX_VERSION" packages="$VANTIX_SOURCE_DIR/build/packages"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

"$VANTIX_SOURCE_DIR/scripts/package.sh" >"$scratch/package.log" 2>&1 || { cat "$scratch/package.log"; exit 1; }
architecture="$(dpkg --print-architecture)"
for package in fernwick-vantix vantix libfwkvxsdk1 libfwkvxsdk-dev vantix-scanner-sim; do
  dpkg -x "$packages/${package}_${version}_$architecture.deb" "$scratch/root" || fail "no $package package"
done
for package in fernwick-vantix vantix libfwkvxsdk-dev; do
  dpkg-deb -f "$packages/${package}_${version}_$architecture.deb" Depends | grep -qF "libfwkvxsdk1 (= $version)" ||
    fail "$package does not depend on libfwkvxsdk1 (= $version)"
done
dpkg-deb -f "$packages/fernwick-vantix_${version}_$architecture.deb" Depends | grep -q libqt6widgets6 ||
  fail "fernwick-vantix does not depend on Qt (dpkg-shlibdeps)"

usr="$scratch/root/usr"
export LD_LIBRARY_PATH="$usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
for program in vantix fernwick-vantix vantix-scanner-sim; do
  shown="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/$program" --version 2>/dev/null)" ||
    fail "$program --version exits with $?"
  [ "$shown" = "$program $version" ] || fail "$program --version shows \"$shown\""
  page="$usr/share/man/man1/$program.1.gz"
  text="$(MANWIDTH=80 man --warnings -l "$page" 2>"$scratch/man.err")" || fail "man -l $page"
  [ ! -s "$scratch/man.err" ] || fail "man -l $page: $(cat "$scratch/man.err")"
  grep -q "$program -" <<<"$text" || fail "$page has no NAME section"
done
appstreamcli validate --no-net --pedantic "$usr/share/metainfo/org.fernwick.vantix.metainfo.xml" >"$scratch/as.log" 2>&1 ||
  fail "appstreamcli validate: $(cat "$scratch/as.log")"

[ "$failures" -eq 0 ] && echo "the packages hold" || exit 1
