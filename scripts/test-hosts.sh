#!/usr/bin/env bash
# The host-compatibility stage on a Debian 12 machine: installs the hosts it
# needs (Ardour, Qtractor, MusE), brings the build up to date and checks what
# each host makes of the module. The work files stay behind when a check fails.
# Usage: scripts/test-hosts.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build="${1:-build}"

bash scripts/install-deps.sh ardour qtractor muse python3

bash scripts/build.sh "$build"
work=$(mktemp -d)
bash hosttests/run.sh "$build/Kelvorn.so" "$build/kelvorn" "$work"
rm -rf "$work"
