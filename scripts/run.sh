#!/usr/bin/env bash
# Builds the plug-in and shows what a host sees when it loads it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/install-deps.sh
bash scripts/build.sh build
nm -D --defined-only build/Kelvorn.so
