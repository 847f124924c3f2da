#!/usr/bin/env bash
# MusE's plug-in scanner loads the module: hosttests/scan-muse.sh MODULE WORKDIR
set -uo pipefail
source "$(dirname "$0")/common.sh"
module="$1" work="$2"
host_env "$work"
stage_module "$module" "$work/vst-muse"
xml="$work/muse-scan.xml"

echo "== MusE: muse_plugin_scan"
: >"$xml"   # the scanner writes only into a file that exists
timeout 60 muse_plugin_scan -t 16 -p -f "$work/vst-muse/Kelvorn.so" -o "$xml" >"$work/muse-scan.log" 2>&1
body=$(cat "$xml")
expect muse "entry found" "$(grep -c '<plugin ' <<<"$body")" 1
expect muse "uniqueID" "$(element uniqueID <<<"$body")" "$kUniqueId"
expect muse "name" "$(element name <<<"$body")" "$kName"
expect muse "maker" "$(element maker <<<"$body")" "$kVendor"
expect muse "apiVersionMajor" "$(element apiVersionMajor <<<"$body")" "$kVstVersion"
# MusE keeps the vendor version as it is and also shows its three low bytes.
expect muse "pluginVersionMinor" "$(element pluginVersionMinor <<<"$body")" "$kVendorVersion"
expect muse "version" "$(element version <<<"$body")" \
  "$(( (kVendorVersion >> 16) & 255 )).$(( (kVendorVersion >> 8) & 255 )).$(( kVendorVersion & 255 ))"
# Class 3 would be an instrument.
expect muse "class" "$(element class <<<"$body")" 1
# Flag 1 would be an editor; required feature 4 a module that cannot
# process in place (no replacing processing).
expect muse "pluginFlags" "$(element pluginFlags <<<"$body")" ""
expect muse "requiredFeatures" "$(( $(element requiredFeatures <<<"$body") + 0 & 4 ))" 0
expect muse "inports" "$(element inports <<<"$body")" "$kInputs"
expect muse "outports" "$(element outports <<<"$body")" "$kOutputs"
expect muse "ctlInports" "$(element ctlInports <<<"$body")" "${#kParamNames[@]}"
# Ports: audio inputs (type 9), audio outputs (17), then one control input
# (10) per parameter, named by the module.
ports=$(grep '<port ' <<<"$body")
expect muse "audio in ports" "$(grep -c 'type="9"' <<<"$ports")" "$kInputs"
expect muse "audio out ports" "$(grep -c 'type="17"' <<<"$ports")" "$kOutputs"
names=$(grep 'type="10"' <<<"$ports" | sed -n 's/.*name="\([^"]*\)".*/\1/p' | paste -sd' ')
expect muse "parameter names" "$names" "${kParamNames[*]}"
exit $((failures > 0))
