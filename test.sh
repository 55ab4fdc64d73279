#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest on the
# offscreen platform.
set -euo pipefail
MX615_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$MX615_ROOT/scripts/common.sh"
# The desktop entry and AppStream checks of the test suite need their validators.
mx615_install_packages desktop-file-utils appstream
mx615_build "$MX615_ROOT/build"
export QT_QPA_PLATFORM=offscreen
cd "$MX615_ROOT/build"
ctest --output-on-failure --parallel "$(nproc 2>/dev/null || echo 2)" "$@"
