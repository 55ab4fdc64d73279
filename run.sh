#!/usr/bin/env bash
# Installs what is missing, builds, and starts the programming tool.
set -euo pipefail
MX615_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$MX615_ROOT/scripts/common.sh"
mx615_install_packages
# Only what it runs: the program and the simulated radio. ./test.sh builds the rest.
mx615_build "$MX615_ROOT/build" mx615 mx615-radio-sim
# MX615_BUILD_ONLY=1: stop once built (tools/bench/run-build-bench.sh times that).
[ -n "${MX615_BUILD_ONLY:-}" ] && exit 0
exec "$MX615_ROOT/build/app/mx615" "$@"
