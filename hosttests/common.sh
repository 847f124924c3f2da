# Shared by the host-compatibility scripts (sourced, not run).
# Each host's output is judged field by field: the hosts exit 0 even when
# they fail to load a module, so their exit status proves nothing.

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# What every host must see of the module.
kName="QOV - Kelvorn"
kVendor="QOV Technologies"
kUniqueId=1364153964          # 'QOVl'
kUniqueIdHex=0x514f566c
kInputs=2
kOutputs=2
kVstVersion=2400
kVendorVersion=1000
kParamNames=(InMix Angle W1Delay W1Gain W1Pitch W2Enable W2Delay W2Gain W2Pitch)
kProgramNames=("Default" "3D Reverb" "Walking Up" "Echo" "Talking to Myself"
  "Extra 1" "Extra 2" "Extra 3" "Extra 4" "Extra 5" "Extra 6" "Extra 7" "Extra 8"
  "Extra 9" "Extra 10" "Extra 11")

failures=0

# expect HOST FIELD ACTUAL WANTED
expect() {
  if [ "$3" == "$4" ]; then
    printf '  ok    %-8s %-22s %s\n' "$1" "$2" "$3"
  else
    printf '  FAIL  %-8s %-22s got "%s", want "%s"\n' "$1" "$2" "$3" "$4"
    failures=$((failures + 1))
  fi
}

# Ardour writes under $HOME and the XDG folders: keep a run's files in its
# own work folder.
host_env() {
  export HOME="$1/home" XDG_CONFIG_HOME="$1/config" XDG_CACHE_HOME="$1/cache" \
    XDG_DATA_HOME="$1/data" XDG_RUNTIME_DIR="$1/runtime"
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
}

# stage_module MODULE DIR: a copy whose timestamp lies in the past. Ardour
# treats a cache entry made in the same second as the module's change as
# stale, and its session tool then silently finds no plug-in.
stage_module() {
  mkdir -p "$2"
  cp "$1" "$2/Kelvorn.so"
  touch -d "@$(($(date +%s) - 10))" "$2/Kelvorn.so"
}

# attr NAME < xml-ish line: the value of NAME="..."
attr() { sed -n "s/.*[ <]$1=\"\([^\"]*\)\".*/\1/p" | head -n 1; }
# element NAME < xml: the text of the first <NAME>...</NAME>
element() { sed -n "s:.*<$1>\(.*\)</$1>.*:\1:p" | head -n 1; }
