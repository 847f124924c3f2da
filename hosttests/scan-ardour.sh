#!/usr/bin/env bash
# Ardour's plug-in scanner loads the module: hosttests/scan-ardour.sh MODULE WORKDIR
# Also leaves the cache entry that Ardour's session tool needs.
set -uo pipefail
source "$(dirname "$0")/common.sh"
module="$1" work="$2"
host_env "$work"
stage_module "$module" "$work/vst"

echo "== Ardour: ardour-vst-scanner"
out=$(LD_LIBRARY_PATH=/usr/lib/ardour7 timeout 60 /usr/lib/ardour7/ardour-vst-scanner -v -f "$work/vst/Kelvorn.so" 2>&1)
status=$?
info=$(grep '<VST2Info' <<<"$out")
[ -n "$info" ] || echo "$out" | tail -n 20
expect ardour "entry found" "$([ -n "$info" ] && echo yes || echo no)" yes
expect ardour "exit status" "$status" 0
expect ardour "id" "$(attr id <<<"$info")" "$kUniqueId"
expect ardour "name" "$(attr name <<<"$info")" "$kName"
expect ardour "creator" "$(attr creator <<<"$info")" "$kVendor"
# The category query answers 0: the module claims no category of its own.
expect ardour "category" "$(attr category <<<"$info")" "Unknown"
expect ardour "n_inputs" "$(attr n_inputs <<<"$info")" "$kInputs"
expect ardour "n_outputs" "$(attr n_outputs <<<"$info")" "$kOutputs"
expect ardour "n_midi_inputs" "$(attr n_midi_inputs <<<"$info")" 0
expect ardour "n_midi_outputs" "$(attr n_midi_outputs <<<"$info")" 0
expect ardour "is_instrument" "$(attr is_instrument <<<"$info")" 0
expect ardour "can_process_replace" "$(attr can_process_replace <<<"$info")" 1
expect ardour "has_editor" "$(attr has_editor <<<"$info")" 0
# With -v the scanner names every host request it ignores.
expect ardour "ignored host requests" "$(grep -c 'Callback opcode' <<<"$out")" 0
expect ardour "cache written" "$(ls "$XDG_CACHE_HOME"/ardour7/vst/*.v2i >/dev/null 2>&1 && echo yes || echo no)" yes
exit $((failures > 0))
