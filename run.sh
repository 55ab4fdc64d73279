#!/usr/bin/env bash
# Installs what is missing, builds, and starts the programming tool.
set -euo pipefail
MX615_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$MX615_ROOT/scripts/common.sh"
mx615_install_packages
mx615_build "$MX615_ROOT/build"
exec "$MX615_ROOT/build/app/mx615" "$@"
