#!/usr/bin/env bash
# Builds the Debian packages into build/packages/: fernwick-vantix (the
# application), vantix, libfwkvxsdk1 (the shared library), libfwkvxsdk-dev and
# vantix-scanner-sim, for the prefix /usr, and checks them with lintian, which
# must report no error. Installs what it needs first. The build (build/package)
# compiles what build/normal compiles, with the same flags, so the compiler
# cache serves most of it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
build="$root/build/package" packages="$root/build/packages"

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # The widget library's precompiled Qt headers are cached too.
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true CCACHE_SLOPPINESS=pch_defines,time_macros
fi
echo "== package: configure and build in build/package"
cmake -S "$root" -B "$build" -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_INSTALL_PREFIX=/usr -DVANTIX_SANITIZE= -DVANTIX_BENCHMARKS=OFF -DVANTIX_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

echo "== package: Debian packages in build/packages"
rm -rf "$packages"
(cd "$build" && cpack -G DEB -B "$packages" >/dev/null)
rm -rf "$packages/_CPack_Packages"

echo "== package: lintian"
# Exits non-zero on any error; warnings are listed (see the README).
lintian --info "$packages"/*.deb
ls -1 "$packages"/*.deb
