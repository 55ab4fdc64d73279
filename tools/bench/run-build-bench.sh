#!/usr/bin/env bash
# Times a first build as a person trying the program meets it: the repository
# cloned into a fresh folder, then the first ./run.sh build (the program and
# the simulated radio), the first ./test.sh (every program and suite, built and
# run) and, with --ci, the whole .ci/run (normal lane, then sanitized), each in
# a clone of its own. No compiler cache is used, since a new machine has none.
# For each step it prints the wall-clock time and the processor time (user +
# system of every process it started).
#
# Usage: tools/bench/run-build-bench.sh [--ci] [--run-only] [--rounds N] [COMMIT]
#   --run-only  time only the ./run.sh build
#   COMMIT      what to clone and time (default HEAD of this repository)
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
ci=0
tests=1
rounds=1
commit=HEAD
while [ $# -gt 0 ]; do
  case "$1" in
    --ci) ci=1 ;;
    --run-only) tests=0 ;;
    --rounds) rounds=$2; shift ;;
    -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
    *) commit=$1 ;;
  esac
  shift
done
export CCACHE_DISABLE=1
unset CMAKE_CXX_COMPILER_LAUNCHER MX615_CMAKE_ARGS
work=$(mktemp -d /tmp/mx615-build-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

fresh_clone() {
  rm -rf "$work/src"
  git clone -q "$repo" "$work/src"
  git -C "$work/src" checkout -q "$(git -C "$repo" rev-parse "$commit")"
}

# timed LABEL COMMAND...: runs COMMAND in the fresh clone, prints its times.
timed() {
  local label=$1
  shift
  local log="$work/$label.log"
  local status=0
  (cd "$work/src" && /usr/bin/time -f '%e %U %S' -o "$work/time" "$@") >"$log" 2>&1 || status=$?
  read -r wall user sys <"$work/time"
  printf '%-26s wall %7.1f s   processor %7.1f s' "$label" "$wall" "$(awk "BEGIN{print $user + $sys}")"
  [ $status -eq 0 ] && echo || { echo "   FAILED ($status), see the end of its log:"; tail -20 "$log"; }
}

echo "commit $(git -C "$repo" rev-parse --short "$commit"), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
for round in $(seq "$rounds"); do
  echo "round $round"
  fresh_clone
  timed "run.sh (build only)" env MX615_BUILD_ONLY=1 ./run.sh
  [ $tests -eq 1 ] || continue
  fresh_clone
  timed "test.sh" ./test.sh
  if [ $ci -eq 1 ]; then
    fresh_clone
    timed ".ci/run" bash .ci/run
  fi
done
