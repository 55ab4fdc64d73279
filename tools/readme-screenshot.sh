#!/bin/sh
# The screenshot at the top of README.md: the main window with a channel plan
# in its channel table, taken from the program itself on a virtual display
# (Xvfb with openbox), so that it can be made again after the windows change.
# Needs xvfb, openbox, xdotool and imagemagick (and x11-utils with MX615_SCREENSHOT_KEYS).
# Usage: tools/readme-screenshot.sh [build-folder] [plan-file] [output.png]
#   MX615_SCREENSHOT_DISPLAY=:NN picks the virtual display (default: the first free from :90)
#   MX615_SCREENSHOT_KEYS="KEY ..." presses these keys (xdotool names) before the picture,
#     which then takes in what they open over the window (a menu)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
plan=${2:-$root/tests/files/csv/chirp-export.csv}
out=${3:-$root/docs/main-window.png}
app="$build/app/mx615"
[ -x "$app" ] || { echo "readme-screenshot: $app not built (cmake --build $build --target mx615)" >&2; exit 2; }
[ -f "$plan" ] || { echo "readme-screenshot: no plan file $plan" >&2; exit 2; }
for tool in Xvfb openbox xdotool import; do
  command -v $tool >/dev/null ||
    { echo "readme-screenshot: $tool is missing (apt-get install xvfb openbox xdotool imagemagick)" >&2; exit 2; }
done
display=${MX615_SCREENSHOT_DISPLAY:-}
if [ -z "$display" ]; then
  n=90
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  display=:$n
fi

pids=
cleanup() { for p in $pids; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids="$!"
for _ in 1 2 3 4 5 6 7 8 9 10; do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.5; done
export DISPLAY="$display"
openbox >/dev/null 2>&1 &
pids="$! $pids"
sleep 1
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
# No serial port is needed for the picture; the port table is left empty.
MX615_PORTS= "$app" "$plan" >/dev/null 2>&1 &
pids="$! $pids"
window=$(xdotool search --sync --onlyvisible --name "MX-615Plus series program software" | head -n 1)
# The channel table fills once start-up is over and the file is loaded.
sleep 2
mkdir -p "$(dirname "$out")"
keys=${MX615_SCREENSHOT_KEYS:-}
if [ -z "$keys" ]; then
  import -window "$window" -frame "$out"
else
  xdotool windowactivate --sync "$window"
  # shellcheck disable=SC2086  # the keys are separate words
  xdotool key --delay 150 $keys
  sleep 1
  # The screen where the window is, so that an open menu is in the picture.
  geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print w "x" h "+" x "+" y}')
  import -window root -crop "$geometry" +repage "$out"
fi
echo "readme-screenshot: wrote $out"
