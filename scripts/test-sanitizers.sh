#!/usr/bin/env bash
# The whole test suite under AddressSanitizer + UndefinedBehaviorSanitizer,
# then the concurrency tests under ThreadSanitizer. Built with -O1 to keep
# the run short; any sanitizer report fails the stage.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

# Some kernels randomise mappings more than ThreadSanitizer's fixed layout
# allows; it runs fine with address randomisation off for the one process.
norandom=()
if setarch "$(uname -m)" -R true 2>/dev/null; then norandom=(setarch "$(uname -m)" -R); fi

echo "== Unit tests under ASan + UBSan"
asan="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
start=$SECONDS
bash scripts/build.sh build-asan -DCMAKE_CXX_FLAGS="$asan" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DKELVORN_BUILD_BENCH=OFF
# Left out: the command-line host's tests that run a module built to crash
# (the sanitizers stop its deliberate null store before the host's own crash
# handling sees it) or a third-party module (whose leaks are not ours).
ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:check_initialization_order=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)" \
  -E '^(ForeignModule\.|Render\.AFailedRenderLeavesAnExistingOutput|Errors\.OneLineNonZeroStatusAndNoOutput)' 
echo "(ASan + UBSan stage: $((SECONDS - start)) s)"

echo "== Concurrency tests under TSan"
start=$SECONDS
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="-fsanitize=thread" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DKELVORN_BUILD_BENCH=OFF -DKELVORN_BUILD_HOST=OFF >/dev/null
cmake --build build-tsan -j "$(nproc)" --target concurrent_host_test
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 "${norandom[@]}" build-tsan/tests/threads/concurrent_host_test
echo "(TSan stage: $((SECONDS - start)) s)"
