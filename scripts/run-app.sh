#!/usr/bin/env bash
# Installs what is needed, builds everything and starts the desktop application
# (arguments are passed on to it).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/normal" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTIX_SANITIZE= >/dev/null
cmake --build "$root/build/normal" -j "$(nproc)"
exec "$root/build/normal/app/fernwick-vantix" "$@"
