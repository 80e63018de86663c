#!/usr/bin/env bash
# Builds everything and starts the desktop application. Until the application
# exists, it builds the library and tools and lists what was built.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/normal" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTIX_SANITIZE= >/dev/null
cmake --build "$root/build/normal" -j "$(nproc)"
app="$root/build/normal/app/fernwick-vantix"
if [ -x "$app" ]; then
  exec "$app" "$@"
fi
echo
echo "Built (the desktop application is not part of this build yet):"
find "$root/build/normal" -maxdepth 3 -type f \( -name 'libFWKVXSDK.so*' -o -name 'vantix' -o -name 'vantix-scanner-sim' \) \
  -printf '  %P\n' | sort
