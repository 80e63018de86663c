#!/usr/bin/env bash
# tests/netns-run.sh where no namespace can be made: a stand-in unshare that
# fails as a kernel without user namespaces makes it fail.
set -euo pipefail
script="$(cd "$(dirname "$0")" && pwd)/netns-run.sh"
fake="$(mktemp -d)"
trap 'rm -rf "$fake"' EXIT
printf '#!/bin/sh\necho "unshare: unshare failed: Operation not permitted" >&2\nexit 1\n' > "$fake/unshare"
chmod +x "$fake/unshare"
failures=0
check() { # <description> <expected status> <expected output pattern> <command...>
  local what="$1" status="$2" pattern="$3"; shift 3
  local out code=0
  out="$("$@" 2>&1)" || code=$?
  if [ "$code" != "$status" ] || ! grep -q -- "$pattern" <<<"$out"; then
    echo "FAILED: $what: status $code, output: $out"; failures=$((failures + 1))
  fi
}
check "a test is skipped with the reason" 0 "^\[  SKIPPED \] .*Operation not permitted" \
  env PATH="$fake:$PATH" VANTIX_REQUIRE_NETNS=0 "$script" sh -c 'echo ran'
check "the test itself does not run" 0 "" \
  sh -c "! env PATH='$fake:$PATH' VANTIX_REQUIRE_NETNS=0 '$script' sh -c 'echo ran' | grep -q ran"
check "CI fails instead of skipping" 1 "no private network namespace.*Operation not permitted" \
  env PATH="$fake:$PATH" VANTIX_REQUIRE_NETNS=1 "$script" sh -c 'echo ran'
check "listing cases runs without a namespace" 0 "^listed --gtest_list_tests$" \
  env PATH="$fake:$PATH" VANTIX_REQUIRE_NETNS=1 "$script" sh -c 'echo listed "$0"' --gtest_list_tests
[ "$failures" -eq 0 ] && echo "4 passed, 0 failed"
exit "$failures"
