#!/bin/bash
# Hears the program as a blind user does: runs it under Orca, the screen
# reader, on a virtual display with an accessibility bus, sends it the keys of
# a script and prints what Orca says at each step. A simulated radio on a
# pseudo-terminal is COM1, so reads and writes really happen.
# Needs xvfb, openbox, xdotool, orca, at-spi2-core and dbus (dbus-run-session).
#
# Usage: tools/screen-reader/orca-trial.sh [build-folder] [keys-file]
#   keys-file (default: program-a-radio.keys beside this script), one command a line:
#     step TITLE     starts a step; what Orca says until the next one is listed under TITLE
#     key KEY...     presses keys, by their xdotool names (ctrl+r, Return, Down, shift+Tab)
#     type TEXT      types the text
#     wait SECONDS   waits longer
#     shot NAME      takes a picture of the screen, NAME.png in the kept folder
#     arguments ARG... starts the program with these arguments (--service); read
#                    before the program starts, wherever it stands
#     radio ARG...   starts the simulated radio with these arguments (--baud 9600), likewise
#     # ...          a comment
#   After every key and text the script waits until Orca has been quiet for
#   MX615_ORCA_QUIET seconds (0.8; 20 times that at most), so that each step hears its own words.
#   MX615_ORCA_DISPLAY=:NN picks the virtual display (default: a free one, which Xvfb finds).
#   MX615_ORCA_KEEP=DIR keeps Orca's whole debug output, the radio image and the
#   saved files in DIR instead of a temporary folder.
# Orca runs with its speech output off; it still writes every utterance to its
# debug output as "SPEECH OUTPUT: ..." lines, which are what is printed here.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

if [ "${1:-}" != "--inside" ]; then
  build=$(cd "${1:-$root/build}" 2>/dev/null && pwd) || { echo "orca-trial: no build folder ${1:-$root/build}" >&2; exit 2; }
  keys=$(cd "$(dirname "${2:-$here/program-a-radio.keys}")" 2>/dev/null && pwd)/$(basename "${2:-program-a-radio.keys}")
  [ -f "$keys" ] || { echo "orca-trial: no keys file $keys" >&2; exit 2; }
  for program in "$build/app/mx615" "$build/tools/radio-sim/mx615-radio-sim"; do
    [ -x "$program" ] || { echo "orca-trial: $program not built (cmake --build $build --target mx615 mx615-radio-sim)" >&2; exit 2; }
  done
  for tool in Xvfb openbox xdotool orca dbus-run-session; do
    command -v $tool >/dev/null ||
      { echo "orca-trial: $tool is missing (apt-get install xvfb openbox xdotool orca at-spi2-core dbus)" >&2; exit 2; }
  done
  [ -x /usr/libexec/at-spi-bus-launcher ] || { echo "orca-trial: at-spi2-core is missing" >&2; exit 2; }
  # Orca refuses to start beside another Orca of the same user, on any display.
  if other=$(pgrep -u "$(id -u)" -x orca); then
    echo "orca-trial: Orca already runs under this user (process $(echo $other)); a second one would not start." >&2
    echo "Run the trial when it has ended." >&2
    exit 1
  fi
  if [ -n "${MX615_ORCA_KEEP:-}" ]; then
    mkdir -p "$MX615_ORCA_KEEP" && work=$(cd "$MX615_ORCA_KEEP" && pwd) ||
      { echo "orca-trial: cannot use $MX615_ORCA_KEEP as the folder to keep" >&2; exit 2; }
  else
    work=$(mktemp -d) || { echo "orca-trial: cannot make a temporary folder" >&2; exit 2; }
  fi
  # Whatever ends the trial (its end, a failure, Ctrl+C) takes the virtual
  # display with it: started in the background it ignores Ctrl+C.
  xvfb=
  finish() {
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; fi
    [ -n "${MX615_ORCA_KEEP:-}" ] || rm -rf "$work"
  }
  trap finish EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  # Xvfb picks a free display itself (or takes the one asked for) and writes
  # its number once it accepts clients.
  Xvfb ${MX615_ORCA_DISPLAY:-} -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.out" 2>&1 &
  xvfb=$!
  for _ in $(seq 40); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.25
  done
  [ -s "$work/display" ] ||
    { echo "orca-trial: the virtual display did not start: $(tail -n 1 "$work/xvfb.out")" >&2; exit 1; }
  display=:$(head -n 1 "$work/display")
  # A fresh home and runtime folder: Orca's settings as a new user finds them.
  mkdir -p "$work/home/.local/share/orca" "$work/runtime" "$work/files"
  chmod 700 "$work/runtime"
  # With its speech off Orca logs what its speech generator says, but drops
  # the messages a script speaks by itself (a list's new entry, text that
  # arrives selected) before they are logged: log those too. And write the
  # log line by line, so that each step finds its words when it ends.
  cat >"$work/home/.local/share/orca/orca-customizations.py" <<'PY'
import orca.debug as debug
import orca.settings_manager as settings_manager
from orca.scripts import default

if debug.debugFile:
    debug.debugFile.reconfigure(line_buffering=True)

_speakMessage = default.Script.speakMessage

def _loggedSpeakMessage(self, string, *args, **kwargs):
    if string and not settings_manager.getManager().getSetting('enableSpeech'):
        debug.println(debug.LEVEL_INFO, "SPEECH OUTPUT: '%s' {}" % string, True)
    return _speakMessage(self, string, *args, **kwargs)

default.Script.speakMessage = _loggedSpeakMessage
PY
  DISPLAY=$display HOME=$work/home XDG_RUNTIME_DIR=$work/runtime \
    dbus-run-session -- bash "$0" --inside "$build" "$keys" "$work"
  exit $?
fi

# Inside the session bus of the trial.
build=$2 keys=$3 work=$4
quiet=${MX615_ORCA_QUIET:-0.8}
speech=$work/orca-debug.out
pids=
cleanup() {
  for p in $pids; do kill "$p" 2>/dev/null; done
  # Orca may take its time to go once its display and bus are gone.
  for _ in 1 2 3 4 5 6; do
    alive=
    for p in $pids; do kill -0 "$p" 2>/dev/null && alive="$alive $p"; done
    [ -z "$alive" ] && return
    sleep 0.5
  done
  for p in $alive; do kill -9 "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The transcript names the Orca it heard: the trial leans on Orca's debug
# output and internals, which change between versions.
echo "Orca $(orca --version 2>/dev/null | sed 's/^[Oo]rca *//'), $(basename "$keys")"

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids="$!"
# The accessibility bus is up when its launcher owns its name on the session
# bus (asking the name itself would start a second launcher).
for _ in $(seq 40); do
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' && break
  sleep 0.25
done
openbox >/dev/null 2>&1 &
pids="$! $pids"
orca --disable speech --debug-file "$speech" >"$work/orca.out" 2>&1 &
pids="$! $pids"
for _ in $(seq 80); do grep -q "EVENT MANAGER: Activated" "$speech" 2>/dev/null && break; sleep 0.25; done
grep -q "EVENT MANAGER: Activated" "$speech" 2>/dev/null ||
  { echo "orca-trial: Orca did not start: $(tail -n 1 "$work/orca.out")" >&2; exit 1; }

# The simulated radio; its device is COM1 of the program.
read -r -a radio <<<"$(sed -n 's/^radio *//p' "$keys" | tail -n 1)"
"$build/tools/radio-sim/mx615-radio-sim" --quiet --image "$work/radio.img" "${radio[@]}" >"$work/radio-sim.out" 2>&1 &
pids="$! $pids"
for _ in $(seq 40); do grep -q "^MX615_PORTS=" "$work/radio-sim.out" && break; sleep 0.1; done
ports=$(sed -n 's/^MX615_PORTS=//p' "$work/radio-sim.out" | head -n 1)
[ -n "$ports" ] || { echo "orca-trial: the simulated radio did not start" >&2; exit 1; }

# Files the program saves go to the folder it starts in.
cd "$work/files"
read -r -a arguments <<<"$(sed -n 's/^arguments *//p' "$keys" | tail -n 1)"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 MX615_PORTS=$ports "$build/app/mx615" "${arguments[@]}" >"$work/mx615.out" 2>&1 &
pids="$! $pids"
window=$(timeout 30 xdotool search --sync --onlyvisible --name "MX-615Plus" | head -n 1)
[ -n "$window" ] || { echo "orca-trial: the program's window did not appear" >&2; exit 1; }
xdotool windowactivate --sync "$window"

# Waits until Orca writes nothing more for $quiet seconds: it has dealt with
# the events of the last key.
settle() {
  local before after
  before=$(stat -c %s "$speech")
  for _ in $(seq 20); do
    sleep "$quiet"
    after=$(stat -c %s "$speech")
    [ "$after" = "$before" ] && return
    before=$after
  done
}

# What Orca said since byte offset $1 of its debug output.
said() {
  tail -c +"$(($1 + 1))" "$speech" | sed -n "s/^.* - SPEECH OUTPUT: '\(.*\)' *{.*$/  \1/p"
}
mark=0
flush() {
  [ -n "$title" ] || return 0
  echo "== $title"
  said "$mark"
  mark=$(stat -c %s "$speech")
}
title=
while IFS= read -r line || [ -n "$line" ]; do
  command=${line%% *}
  argument=${line#"$command"}
  argument=${argument# }
  case "$command" in
    ''|'#'*) ;;
    step) flush; title=$argument ;;
    key) for k in $argument; do xdotool key --clearmodifiers "$k"; settle; done ;;
    type) xdotool type --delay 80 -- "$argument"; settle ;;
    wait) sleep "$argument"; settle ;;
    shot) import -window root "$work/$argument.png" ;;
    arguments|radio) ;;
    *) echo "orca-trial: unknown command in $keys: $line" >&2; exit 2 ;;
  esac
done <"$keys"
settle
flush
