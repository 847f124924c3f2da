#!/usr/bin/env bash
# Runs every test of the project on a fresh Debian 12 machine: installs what
# is missing, builds, and runs each test stage in turn.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash scripts/install-deps.sh

echo "== Unit tests (optimised build)"
bash scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$(nproc)"

# Sanitizer builds, then a bounded fuzzing run (about a minute).
bash scripts/test-sanitizers.sh
bash scripts/test-fuzz.sh 60

echo "== Unit tests (32-bit build)"
# Some kernels cannot start 32-bit programs; qemu's user-mode emulator runs
# them there (it emulates SSE arithmetic exactly).
emulator=()
probe=$(mktemp -d)
echo 'int main(void){return 0;}' > "$probe/p.c"
if ! (gcc -m32 "$probe/p.c" -o "$probe/p" && "$probe/p") 2>/dev/null; then
  emulator=(-DCMAKE_CROSSCOMPILING_EMULATOR="qemu-i386;-L;/")
  echo "(this kernel runs no 32-bit programs: running them under qemu-i386)"
fi
rm -rf "$probe"
bash scripts/build.sh build-32 -DCMAKE_C_FLAGS=-m32 -DCMAKE_CXX_FLAGS=-m32 \
  -DKELVORN_BUILD_BENCH=OFF -DKELVORN_BUILD_HOST=OFF "${emulator[@]}"
ctest --test-dir build-32 --output-on-failure -j "$(nproc)"

echo "== Host compatibility (Ardour, Qtractor, MusE)"
bash scripts/test-hosts.sh build
