#!/usr/bin/env bash
# Runs a command inside a private user and network namespace that exists only
# for this run: loopback up with multicast, and a multicast route on it whose
# source address is 127.0.0.1, so that queries carry a real sender address, as
# responders expect. Nothing sent inside can reach the machine's real interfaces.
#
# Where such a namespace cannot be made (user namespaces switched off, a
# container that forbids them), the command must not run outside one: it is
# reported as skipped with the reason, in GoogleTest's words, so that CTest
# counts it as skipped. With VANTIX_REQUIRE_NETNS=1 (CI) that is a failure
# instead. Listing a test program's cases (--gtest_list_tests) sends nothing
# and runs without a namespace then.
set -euo pipefail
if ! reason="$(unshare --net --map-root-user true 2>&1)"; then
  for argument in "$@"; do
    [ "$argument" = --gtest_list_tests ] && exec "$@"
  done
  if [ "${VANTIX_REQUIRE_NETNS:-0}" = 1 ]; then
    echo "netns-run.sh: no private network namespace can be made here: $reason" >&2
    exit 1
  fi
  echo "[  SKIPPED ] needs a private user and network namespace, which cannot be made here: $reason"
  exit 0
fi
exec unshare --net --map-root-user bash -c '
  ip link set lo up multicast on &&
  ip route add 224.0.0.0/4 dev lo src 127.0.0.1 &&
  exec "$@"' netns-run "$@"
