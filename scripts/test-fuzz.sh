#!/usr/bin/env bash
# Builds the libFuzzer target with clang (ASan + UBSan) and fuzzes the
# plug-in for a bounded time: scripts/test-fuzz.sh [seconds] (default 60).
# Starts from the seed corpus and the regression sessions; the repository is
# not changed. A crash leaves its input as build-fuzz/crash-*: add it to
# fuzz/regressions/ once fixed, so the normal test run replays it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
seconds="${1:-60}"

echo "== Fuzzing the plug-in (${seconds} s)"
start=$SECONDS
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g" -DKELVORN_BUILD_FUZZ=ON \
  -DKELVORN_BUILD_TESTS=OFF -DKELVORN_BUILD_BENCH=OFF -DKELVORN_BUILD_HOST=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target kelvorn_fuzzer
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# (progress lines about new coverage are left out of the log)
set +e
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  build-fuzz/fuzz/kelvorn_fuzzer -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
  -print_final_stats=1 -artifact_prefix=build-fuzz/ "$work" fuzz/corpus fuzz/regressions 2>&1 |
  grep -vE '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)'
status=${PIPESTATUS[0]}
set -e
if [ "$status" -ne 0 ]; then
  echo "the fuzzer found a fault (exit $status): see above"
  exit 1
fi
echo "(fuzz stage: $((SECONDS - start)) s)"
