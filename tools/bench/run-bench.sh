#!/bin/sh
# Times a full clone read and a full clone write against the simulated radio
# on a 9600-baud line and prints each time beside the protocol's floor.
# Usage: tools/bench/run-bench.sh [build-folder] [rounds]
set -eu
build=${1:-build}
rounds=${2:-3}
sim="$build/tools/radio-sim/mx615-radio-sim"
bench="$build/tools/bench/mx615-bench"
for f in "$sim" "$bench"; do
  [ -x "$f" ] || { echo "run-bench: $f not built (cmake --build $build --target mx615-radio-sim mx615-bench)" >&2; exit 2; }
done
out=$(mktemp)
"$sim" --baud 9600 --quiet >"$out" &
pid=$!
trap 'kill $pid 2>/dev/null; rm -f "$out"' EXIT
for i in $(seq 50); do
  grep -q '^MX615_PORTS=' "$out" && break
  sleep 0.1
done
ports=$(sed -n 's/^MX615_PORTS=//p' "$out")
[ -n "$ports" ] || { echo "run-bench: the simulator printed no device" >&2; exit 1; }
echo "radio: $ports at 9600 baud"
MX615_PORTS="$ports" "$bench" --baud 9600 --rounds "$rounds"
