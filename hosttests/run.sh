#!/usr/bin/env bash
# The host-compatibility stage: hosttests/run.sh MODULE KELVORN_CLI [WORKDIR]
# Runs every host check and fails when any field of any host is wrong.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
module="$(realpath "$1")" cli="$(realpath -m "$2")"
work="${3:-$(mktemp -d)}"
mkdir -p "$work"
start=$(date +%s)
failed=()
for step in "scan-ardour.sh $module $work/ardour" "scan-qtractor.sh $module $work/qtractor" \
            "scan-muse.sh $module $work/muse" "render-ardour.sh $module $cli $work/render"; do
  read -r script args <<<"$step"
  # shellcheck disable=SC2086
  bash "$here/$script" $args || failed+=("${script%.sh}")
done
echo "== Host stage: $(( $(date +%s) - start )) s"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Host checks failed: ${failed[*]} (logs, sessions and files in $work)"
  exit 1
fi
echo "All host checks passed."
