#!/usr/bin/env bash
# Runs one fuzz target with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer for the given number of seconds.
#   tools/fuzz/run-fuzz.sh TARGET SECONDS      (TARGET: chann, adj, codecs, link, csv)
# It installs clang and its fuzzer runtime when they are missing (as root),
# builds in build-fuzz/, and grows a working corpus in build-fuzz/corpus/TARGET
# from the seeds in tests/fuzz/corpus/TARGET. Findings land in build-fuzz/findings/.
set -euo pipefail
MX615_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
. "$MX615_ROOT/scripts/common.sh"
target=${1:?usage: run-fuzz.sh TARGET SECONDS}
seconds=${2:?usage: run-fuzz.sh TARGET SECONDS}
[ -d "$MX615_ROOT/tests/fuzz/corpus/$target" ] || { echo "run-fuzz: no target $target" >&2; exit 2; }
mx615_install_packages clang libclang-rt-14-dev
build="$MX615_ROOT/build-fuzz"
CC=clang CXX=clang++ cmake -S "$MX615_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMX615_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" >/dev/null
cmake --build "$build" --target "fuzz_$target" --parallel "$(nproc 2>/dev/null || echo 2)"
corpus="$build/corpus/$target"
mkdir -p "$corpus" "$build/findings"
cp -n "$MX615_ROOT/tests/fuzz/corpus/$target/"* "$corpus/" 2>/dev/null || true
cd "$build/findings"
exec "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 "$corpus"
