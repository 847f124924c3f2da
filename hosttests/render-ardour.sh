#!/usr/bin/env bash
# A real sequencer renders through the module, and the saved session recalls
# its settings: hosttests/render-ardour.sh MODULE KELVORN_CLI WORKDIR
#
# Ardour's headless session tool puts the module on a stereo track of a
# 48 kHz session, selects program 3 ("Echo": no pitch stage, both delays
# longer than any block, so block boundaries cannot change the result),
# changes two parameters by index and exports. The export must equal, bit
# for bit, what our command-line host renders from the same stream.
set -uo pipefail
source "$(dirname "$0")/common.sh"
module="$1" cli="$2" work="$3"
host_env "$work"
stage_module "$module" "$work/vst"
export LXVST_PATH="$work/vst"   # replaces Ardour's default search path
lua=(timeout 120 ardour7-lua)   # a hung engine must not stall CI
wav=(python3 "$here/wavtool.py")
leadIn=16384      # transport start mutes and fades in its first few thousand samples
program=3
changes=(1=0.25 3=0.75)   # Angle, W1Gain
cliChanges=(--set Angle=0.25 --set W1Gain=0.75)
presetId=9d6c3e52-1a7b-4f08-b2e4-5c0a8f3d7e61

echo "== Ardour: headless session render and recall"
# The session tool never scans: it uses only what the scanner has cached.
LD_LIBRARY_PATH=/usr/lib/ardour7 timeout 60 /usr/lib/ardour7/ardour-vst-scanner -f "$work/vst/Kelvorn.so" >"$work/scan.log" 2>&1
mkdir -p "$XDG_CONFIG_HOME/ardour7/export"
cp "$here/ardour/Kelvorn float WAV.format" "$here/ardour/Kelvorn float WAV.preset" "$XDG_CONFIG_HOME/ardour7/export/"

# Recording runs in real time: record silence once per run, copy it after.
if [ ! -f "$work/template/template.ardour" ]; then
  rm -rf "$work/template"
  "${lua[@]}" "$here/ardour/make-template.lua" "$work/template" 3 >"$work/template.log" 2>&1
fi
takes=("$work"/template/interchange/*/audiofiles/*%L.wav)
expect ardour "template recorded" "$([ -f "${takes[0]}" ] && echo yes || echo no)" yes

session="$work/render-session"
rm -rf "$session" "$work/export"
cp -a "$work/template" "$session"
mkdir -p "$work/export"
left=("$session"/interchange/*/audiofiles/*%L.wav)
right=("${left[0]%\%L.wav}%R.wav")
"${wav[@]}" input "$work/input.wav" 12000
"${wav[@]}" takes "$work/input.wav" "$leadIn" "${left[0]}" "${right[0]}"
frames=$("${wav[@]}" info "${left[0]}" | awk '{print $6}')
# What the track plays: the same stream, as one stereo file for our host.
"${wav[@]}" pad "$work/input.wav" "$leadIn" "$frames" "$work/played.wav"

"${lua[@]}" "$here/ardour/render.lua" "$session" template "$kUniqueId" "$program" "$work/export" \
  "$presetId" "${changes[@]}" >"$work/render.log" 2>&1
out=$(sed -n 's/^render: //p' "$work/render.log")
[ -n "$out" ] || tail -n 20 "$work/render.log"
field() { sed -n "s/^$1 //p" <<<"$out"; }

expect ardour-lua "plugin" "$(field plugin)" "$kName"
expect ardour-lua "maker" "$(field maker)" "$kVendor"
presets=$(field preset)
expect ardour-lua "programs" "$(grep -c . <<<"$presets")" "${#kProgramNames[@]}"
# Ardour labels each program "NUMBER - NAME".
for i in "${!kProgramNames[@]}"; do
  expect ardour-lua "program $i" "$(sed -n "s/^VST:$kUniqueId:$(printf %04d "$i") //p" <<<"$presets")" "$i - ${kProgramNames[$i]}"
done
expect ardour-lua "parameter names" "$(field param-name | cut -d' ' -f2- | paste -sd' ')" "${kParamNames[*]}"
expect ardour-lua "selected program" "$(field program)" "$program $program - ${kProgramNames[$program]}"

# Program 3 as stored, with the two changes on top.
want=(1.0 0.25 0.560594 0.75 0.33333334 1.0 0.560594 0.280312 0.33333334)
wantText=$(python3 -c 'import struct,sys
for v in sys.argv[1:]: print("%.9g" % struct.unpack("f", struct.pack("f", float(v)))[0])' "${want[@]}")
expect ardour-lua "parameter values" "$(field param | cut -d' ' -f2 | paste -sd' ')" "$(paste -sd' ' <<<"$wantText")"
expect ardour-lua "export finished" "$(field exported)" true

exported="$work/export/out.wav"
# The plug-in must have changed the sound: a silent stand-in or a skipped
# plug-in would export the played stream unchanged.
expect ardour "export differs from input" \
  "$("${wav[@]}" compare "$exported" "$work/played.wav" 2>&1 | grep -c '^differing-samples [1-9]')" 1

if [ -x "$cli" ]; then
  cmd=("$cli" render "$work/played.wav" "$work/cli.wav" --program "$program" "${cliChanges[@]}")
  echo "  (${cmd[*]})"
  "${cmd[@]}" >"$work/cli.log" 2>&1 || tail -n 5 "$work/cli.log"
  report=$("${wav[@]}" compare "$exported" "$work/cli.wav" 2>&1)
  sed 's/^/    /' <<<"$report"
  expect render "channels" "$(sed -n 's/^channels //p' <<<"$report")" "2 2"
  expect render "rate" "$(sed -n 's/^rate //p' <<<"$report")" "48000 48000"
  expect render "frames" "$(sed -n 's/^frames //p' <<<"$report")" "$frames $frames"
  expect render "differing samples" "$(sed -n 's/^differing-samples \([0-9]*\).*/\1/p' <<<"$report")" 0
else
  expect render "command-line host" "missing: $cli" "$cli"
fi

# Recall: a second process reopens the session the render saved.
"${lua[@]}" "$here/ardour/recall.lua" "$session" template >"$work/recall.log" 2>&1
back=$(sed -n 's/^recall: //p' "$work/recall.log")
[ -n "$back" ] || tail -n 20 "$work/recall.log"
expect recall "plugin" "$(sed -n 's/^plugin //p' <<<"$back")" "$kName"
expect recall "unique id" "$(sed -n 's/^unique-id //p' <<<"$back")" "$kUniqueId"
expect recall "parameter values" "$(sed -n 's/^param [0-9]* //p' <<<"$back" | paste -sd' ')" "$(paste -sd' ' <<<"$wantText")"
exit $((failures > 0))
