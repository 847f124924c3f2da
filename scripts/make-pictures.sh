#!/usr/bin/env bash
# Regenerates docs/pictures/: for each of the five named programs, its
# impulse response (left and right output over time) and a spectrogram of the
# demo signal through it, all from real renders with `kelvorn render`.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/install-deps.sh python3-matplotlib python3-numpy
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target kelvorn -j "$(nproc)"

work="out/pictures"
rm -rf "$work"
mkdir -p "$work" docs/pictures
# Debian's interpreter, which has the Debian plotting packages.
py=/usr/bin/python3
"$py" scripts/plot_programs.py impulse "$work/impulse.wav"
names=()
for program in 0 1 2 3 4; do
  build/kelvorn render "$work/impulse.wav" "$work/impulse-$program.wav" --program "$program" --format wavfloat
  build/kelvorn render "$work/demo-$program.wav" --program "$program"
  names+=("$(build/kelvorn info --program "$program" | sed -n 's/^Parameters (9) in program [0-9]* "\(.*\)":$/\1/p')")
done
"$py" scripts/plot_programs.py plot "$work" docs/pictures "${names[@]}"
echo "Pictures written to $root/docs/pictures/"
