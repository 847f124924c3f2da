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

echo "== Unit tests (32-bit build)"
bash scripts/build.sh build-32 -DCMAKE_C_FLAGS=-m32 -DCMAKE_CXX_FLAGS=-m32 \
  -DKELVORN_BUILD_BENCH=OFF -DKELVORN_BUILD_HOST=OFF
ctest --test-dir build-32 --output-on-failure -j "$(nproc)"
