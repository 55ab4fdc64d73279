# Shared by run.sh and test.sh: the Debian packages the build needs, installed
# when missing (as root) or named for the user to install.

MX615_PACKAGES="g++ cmake ninja-build pkg-config qt6-base-dev qt6-serialport-dev libgl-dev fonts-wqy-microhei"

mx615_missing_packages() {
  local missing="" p
  for p in $MX615_PACKAGES "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  echo "$missing"
}

mx615_install_packages() {
  local missing
  missing=$(mx615_missing_packages "$@")
  [ -z "$missing" ] && return 0
  if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "This script installs its packages with apt-get on Debian 12. Install by hand:$missing" >&2
    return 1
  fi
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends $missing
  else
    echo "These Debian packages are missing:$missing" >&2
    echo "Install them with:  sudo apt-get install$missing" >&2
    return 1
  fi
}

# mx615_build DIR [TARGET ...]: configures DIR and builds the named targets,
# or everything (the test suites included) when none is named.
mx615_build() {
  local dir="$1"
  shift
  local targets=()
  local t
  for t in "$@"; do targets+=(--target "$t"); done
  # MX615_CMAKE_ARGS: further settings, e.g. the sanitizer build's flags.
  eval "local extra=(${MX615_CMAKE_ARGS:-})"
  # Ninja starts the compiler sooner and keeps both cores busier than make. A
  # folder made before keeps the generator it was made with.
  local generator=()
  if [ ! -f "$dir/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then
    generator=(-G Ninja)
  fi
  cmake -S "$MX615_ROOT" -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}" >/dev/null &&
    cmake --build "$dir" --parallel "$(nproc 2>/dev/null || echo 2)" "${targets[@]}"
}
