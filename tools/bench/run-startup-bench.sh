#!/bin/sh
# Start-up time of the programming tool beside a bare Qt Widgets main window,
# measured side by side in one run: from exec until the main window is mapped.
# Without a display it starts Xvfb with openbox (apt-get install xvfb openbox).
# Usage: tools/bench/run-startup-bench.sh [build-folder] [rounds]
set -eu
build=${1:-build}
rounds=${2:-9}
probe="$build/tools/bench/startup-probe"
bare="$build/tools/bench/bare-window"
app="$build/app/mx615"
for f in "$probe" "$bare" "$app"; do
  [ -x "$f" ] || { echo "run-startup-bench: $f not built (cmake --build $build --target startup-probe bare-window mx615)" >&2; exit 2; }
done
if [ -z "${DISPLAY:-}" ]; then
  command -v Xvfb >/dev/null && command -v openbox >/dev/null ||
    { echo "run-startup-bench: no display, and Xvfb or openbox is missing (apt-get install xvfb openbox)" >&2; exit 2; }
  display=:91
  Xvfb $display -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  DISPLAY=$display openbox >/dev/null 2>&1 &
  wm=$!
  trap 'kill $wm $xvfb 2>/dev/null' EXIT
  sleep 1
  export DISPLAY=$display
fi
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
"$probe" "$rounds" "$bare" -- "$app"
