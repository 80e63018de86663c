#!/usr/bin/env bash
# install-test.sh <libdir> <version>: installs the build ($VANTIX_BUILD_DIR) into
# a scratch prefix and checks what a user and a programmer get from it: the
# desktop entry, the exported symbols, a program built against the installed
# library through find_package and through pkg-config, and the installed tool.
# Programs run inside tests/netns-run.sh, so nothing reaches a network.
set -euo pipefail
libdir="$1" version="$2"
consumer="$VANTIX_SOURCE_DIR/tests/packaging/consumer"
netns_run="$VANTIX_SOURCE_DIR/tests/netns-run.sh"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
fail() { echo "FAILED: $*" >&2; exit 1; }

echo "== cmake --install into $prefix"
cmake --install "$VANTIX_BUILD_DIR" --prefix "$prefix" >/dev/null
for program in vantix vantix-scanner-sim; do
  [ -x "$prefix/bin/$program" ] || fail "$program not installed"
done

echo "== desktop entry and icon"
desktop="$prefix/share/applications/org.fernwick.vantix.desktop"
[ -f "$desktop" ] || fail "no desktop entry installed"
report="$(desktop-file-validate "$desktop" 2>&1)" || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
[ -f "$prefix/share/icons/hicolor/scalable/apps/org.fernwick.vantix.svg" ] || fail "icon not installed"
# Outside /usr, zsh finds completions in site-functions.
[ -f "$prefix/share/zsh/site-functions/_vantix" ] || fail "zsh completion not installed"

echo "== exported symbols"
# Every symbol the library exports belongs to a class or function declared
# FWKVXSDK_EXPORT in an installed header, or is an instance of a standard
# library template. Internal classes stay hidden.
public_names="$( (grep -rhoE '(class|struct) FWKVXSDK_EXPORT [A-Za-z_]+' "$prefix/include/FWKVXSDK" | awk '{print $3}'
  grep -rhoE '^FWKVXSDK_EXPORT [^(]*\(' "$prefix/include/FWKVXSDK" | sed -E 's/.*[ &*]([A-Za-z_]+)\($/\1/') | sort -u)"
symbols="$(nm -D --defined-only -C "$prefix/$libdir/libFWKVXSDK.so" | cut -d' ' -f3-)"
grep -qx 'SettingData::SaveSettings(std::shared_ptr<SettingData> const&)' <<<"$symbols" || fail "SaveSettings not exported"
stray="$(sed -E 's/^(typeinfo name for|typeinfo for|vtable for|guard variable for) //; s/\(.*//' <<<"$symbols" |
  grep -vE 'std::|__gnu_cxx::' | sed -E 's/::.*//; s/\[.*//' | sort -u | grep -vxF "$public_names" || true)"
[ -z "$stray" ] || fail "exported but not public: $(tr '\n' ' ' <<<"$stray")"
for internal in WebApiExchange:: XMLTODictionaryParser:: JobXmlWriter:: RecvPacket:: getRecDomainName; do
  ! grep -q "$internal" <<<"$symbols" || fail "$internal is exported"
done

echo "== find_package(FWKVXSDK)"
cmake -S "$consumer" -B "$scratch/cmake-build" -G Ninja -DCMAKE_CXX_COMPILER="$CXX" \
  -DCMAKE_PREFIX_PATH="$prefix" -DFWKVXSDK_EXPECTED_VERSION="$version" >/dev/null
cmake --build "$scratch/cmake-build" -j 2 --  --quiet
XDG_DATA_HOME="$scratch/data-cmake" "$netns_run" "$scratch/cmake-build/package_client"

echo "== pkg-config fwkvxsdk"
export PKG_CONFIG_PATH="$prefix/$libdir/pkgconfig"
pkg-config --exact-version="$version" fwkvxsdk || fail "pkg-config does not find fwkvxsdk $version"
# shellcheck disable=SC2046 # the flags are separate words
"$CXX" -std=c++20 -Wall -Wextra -Wpedantic -Werror "$consumer/PackageClient.cpp" -o "$scratch/pc-client" \
  $(pkg-config --cflags --libs fwkvxsdk) -Wl,-rpath,"$(pkg-config --variable=libdir fwkvxsdk)"
XDG_DATA_HOME="$scratch/data-pc" "$netns_run" "$scratch/pc-client"

echo "== installed vantix reads the job the program stored"
listing="$(XDG_DATA_HOME="$scratch/data-pc" "$netns_run" "$prefix/bin/vantix" jobs list)"
grep -q Invoices <<<"$listing" || fail "vantix jobs list: $listing"
echo "== all checks hold"
