#!/usr/bin/env bash
# Runs a command inside a private user and network namespace that exists only
# for this run: loopback up with multicast, and a multicast route on it. Nothing
# sent inside can reach the machine's real interfaces.
set -euo pipefail
exec unshare --net --map-root-user bash -c '
  ip link set lo up multicast on &&
  ip route add 224.0.0.0/4 dev lo src 127.0.0.1 &&
  exec "$@"' netns-run "$@"
