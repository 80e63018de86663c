#!/usr/bin/env bash
# Builds and runs the whole test suite. Installs what it needs first.
#   scripts/test.sh          normal build (build/normal)
#   scripts/test.sh asan     AddressSanitizer + UndefinedBehaviorSanitizer build (build/asan)
#   scripts/test.sh tsan     ThreadSanitizer build of the threaded tests only (build/tsan)
#   scripts/test.sh fuzz     libFuzzer run of the discovery answer walk, bounded (build/fuzz, clang)
#   scripts/test.sh all      all of the above, as CI runs them
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
mode="${1:-normal}"
"$root/scripts/install-deps.sh"

jobs="$(nproc)"
# Compiler cache: a build in a fresh clone, or another run of the same build,
# reuses what was compiled before. Paths below the source tree count as
# relative, so clones in other folders share the cache.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # The widget library's precompiled Qt headers are cached too.
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true CCACHE_SLOPPINESS=pch_defines,time_macros
fi
run() { # <build dir> <build target> <cmake args...> -- <ctest args...>
  local dir="$1" target="$2"; shift 2
  local cfg=() ct=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do cfg+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  ct=("$@")
  echo "== $mode: configure and build in $dir"
  cmake -S "$root" -B "$root/$dir" -G Ninja "${launcher[@]}" "${cfg[@]}" >/dev/null
  cmake --build "$root/$dir" -j "$jobs" --target "$target"
  echo "== $mode: tests"
  ctest --test-dir "$root/$dir" --output-on-failure -j "$jobs" "${ct[@]}"
}

case "$mode" in
  normal)
    run build/normal all -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTIX_SANITIZE= -DVANTIX_BENCHMARKS=ON ;;
  asan)
    export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=1"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    run build/asan all -DCMAKE_BUILD_TYPE=Debug -DVANTIX_SANITIZE=address -DVANTIX_BENCHMARKS=OFF ;;
  tsan)
    export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$root/tests/tsan.supp"
    # Only the test programs with threaded cases, and what they run, are built.
    run build/tsan vantix_threaded_tests -DCMAKE_BUILD_TYPE=Debug -DVANTIX_SANITIZE=thread \
      -DVANTIX_BENCHMARKS=OFF -- -L threaded ;;
  fuzz)
    # Only the fuzz target is built; it runs for a bounded time on a scratch
    # copy of the seed corpus and must find nothing.
    echo "== fuzz: configure and build in build/fuzz"
    cmake -S "$root" -B "$root/build/fuzz" -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DVANTIX_SANITIZE= -DVANTIX_FUZZ=ON -DVANTIX_BENCHMARKS=OFF >/dev/null
    cmake --build "$root/build/fuzz" -j "$jobs" --target answer_walk_fuzzer
    corpus="$(mktemp -d)"
    trap 'rm -rf "$corpus"' EXIT
    cp "$root"/tests/FWKVXSDK/DiscoveryManager/fuzz/corpus/* "$corpus/"
    echo "== fuzz: answer walk for ${VANTIX_FUZZ_SECONDS:-90} s"
    (cd "$corpus" && "$root/build/fuzz/tests/FWKVXSDK/DiscoveryManager/fuzz/answer_walk_fuzzer" \
      -max_total_time="${VANTIX_FUZZ_SECONDS:-90}" -max_len=4096 -print_final_stats=1 \
      -artifact_prefix="$root/build/fuzz/" "$corpus") ;;
  all)
    for m in normal asan tsan fuzz; do "$0" "$m"; done ;;
  *)
    echo "usage: $0 [normal|asan|tsan|fuzz|all]" >&2; exit 2 ;;
esac
