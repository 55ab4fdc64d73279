#!/bin/sh
# Makes the Debian package of a build folder, as `cpack -G DEB` does there,
# and has lintian judge it: no error and no warning (its informational tags
# are hints, not faults). Usage: check-package.sh BUILD-FOLDER
set -eu
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  exit 1
fi
set -- "$out"/*.deb
status=0
lintian --fail-on error,warning "$1" >"$out/lintian.log" 2>&1 || status=$?
# lintian's notice that it runs as root is no finding.
grep -v 'running with root privileges' "$out/lintian.log" || true
if [ $status -ne 0 ]; then
  echo "lintian found errors or warnings in $(basename "$1") (exit status $status)"
  exit 1
fi
echo "lintian: no error and no warning in $(basename "$1")"
