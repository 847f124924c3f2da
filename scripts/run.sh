#!/usr/bin/env bash
# README's main command: installs what is needed, builds the plug-in and the
# kelvorn host, and renders the built-in demo signal through the effect's
# default program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/install-deps.sh
# The same build folder as scripts/test.sh, but only what this needs.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target kelvorn -j "$(nproc)"
mkdir -p out
rm -f out/demo-default.wav  # kelvorn renders the demo into new files only
echo
build/kelvorn info | sed -n '2,10p'
build/kelvorn render out/demo-default.wav --program 0
echo "Listen to: $root/out/demo-default.wav"
