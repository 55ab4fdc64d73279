#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest on the
# offscreen platform.
#   ./test.sh [ctest arguments]              the normal build, in build/
#   ./test.sh --sanitize [ctest arguments]   the whole project built with
#       AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/,
#       every test run with their errors fatal
set -euo pipefail
MX615_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$MX615_ROOT/scripts/common.sh"
build="$MX615_ROOT/build"
if [ "${1:-}" = "--sanitize" ]; then
  shift
  build="$MX615_ROOT/build-sanitize"
  export MX615_CMAKE_ARGS="-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-fsanitize=address,undefined\ -fno-sanitize-recover=all\ -fno-omit-frame-pointer"
  export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
  # Leaks inside the system's own libraries (fonts, Qt's plugins) are theirs.
  export LSAN_OPTIONS="suppressions=$MX615_ROOT/scripts/lsan-suppressions.txt:print_suppressions=0"
fi
# The desktop entry and AppStream checks of the test suite need their
# validators; the channel sheet's test reads its PDF back with poppler's tools.
mx615_install_packages desktop-file-utils appstream poppler-utils
mx615_build "$build"
export QT_QPA_PLATFORM=offscreen
cd "$build"
# Several suites spend most of their time waiting on simulated radios at the
# radio's own speed, using no processor: running four tests per core keeps
# the cores busy meanwhile.
ctest --output-on-failure --parallel "$(( $(nproc 2>/dev/null || echo 2) * 4 ))" "$@"
