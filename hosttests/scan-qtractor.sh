#!/usr/bin/env bash
# Qtractor's plug-in scanner loads the module: hosttests/scan-qtractor.sh MODULE WORKDIR
set -uo pipefail
source "$(dirname "$0")/common.sh"
module="$1" work="$2"
host_env "$work"
stage_module "$module" "$work/vst-qtractor"
path="$work/vst-qtractor/Kelvorn.so"

echo "== Qtractor: qtractor_plugin_scan"
# One line per plug-in: VST|name|in:out|midi in:out|params in:out|flags|file|index|id
line=$(echo "VST:$path" | timeout 60 /usr/lib/x86_64-linux-gnu/qtractor/qtractor_plugin_scan 2>&1 | grep '^VST|')
IFS='|' read -r kind name audio midi params flags file index id <<<"$line"
expect qtractor "entry found" "$([ -n "$line" ] && echo yes || echo no)" yes
expect qtractor "name" "$name" "$kName"
expect qtractor "audio in:out" "$audio" "$kInputs:$kOutputs"
# A synth would get a MIDI input.
expect qtractor "midi in:out" "$midi" "0:0"
expect qtractor "params in:out" "$params" "${#kParamNames[@]}:0"
# GUI would mean an editor, EXT chunk storage; RT is every real-time plug-in.
expect qtractor "flags" "$flags" "RT"
expect qtractor "file" "$file" "$path"
expect qtractor "index" "$index" 0
expect qtractor "unique id" "$id" "$kUniqueIdHex"
exit $((failures > 0))
