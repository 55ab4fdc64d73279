#!/usr/bin/env bash
# Times the first ./test.sh as a new Debian 12 machine meets it: the
# packages downloaded and installed by the script itself. Each round makes a
# new minimal Debian 12 root with debootstrap, clones the repository into it
# and runs ./test.sh there as root, with the host's /proc, /dev and /sys.
# Needs root and debootstrap (apt-get install debootstrap), and the network.
#
# Usage: tools/bench/run-fresh-root-bench.sh [--rounds N] [COMMIT]
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
rounds=1
commit=HEAD
while [ $# -gt 0 ]; do
  case "$1" in
    --rounds) rounds=$2; shift ;;
    -h|--help) sed -n '2,8p' "$0"; exit 0 ;;
    *) commit=$1 ;;
  esac
  shift
done
if [ "$(id -u)" -ne 0 ] || ! command -v debootstrap >/dev/null; then
  echo "This bench runs as root and needs debootstrap (apt-get install debootstrap)." >&2
  exit 2
fi
work=$(mktemp -d /var/tmp/mx615-root-bench.XXXXXX)
root="$work/root"
unmount() {
  umount -R "$root/proc" "$root/dev" "$root/sys" 2>/dev/null || true
}
# The root is removed only when nothing of the host is mounted in it any more.
cleanup() {
  unmount
  if mount | grep -q " $root/"; then
    echo "Still mounted below $root: left in place." >&2
  else
    rm -rf --one-file-system "$work"
  fi
}
trap cleanup EXIT
echo "commit $(git -C "$repo" rev-parse --short "$commit"), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
for round in $(seq "$rounds"); do
  unmount
  rm -rf --one-file-system "$root"
  debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >"$work/debootstrap.log" 2>&1 ||
    { echo "debootstrap failed, see its log:"; tail -5 "$work/debootstrap.log"; exit 1; }
  cp /etc/resolv.conf "$root/etc/"
  # The host's package sources, where it has them: a new machine has the
  # updates and the security archive too, not only what debootstrap lists.
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    cp /etc/apt/sources.list.d/debian.sources "$root/etc/apt/sources.list.d/"
    rm -f "$root/etc/apt/sources.list"
  fi
  git clone -q "$repo" "$root/root/src"
  git -C "$root/root/src" checkout -q "$(git -C "$repo" rev-parse "$commit")"
  mount -t proc proc "$root/proc"
  mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev"
  mount --rbind /sys "$root/sys" && mount --make-rslave "$root/sys"
  status=0
  /usr/bin/time -f '%e' -o "$work/time" chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 bash -c 'cd /root/src && ./test.sh' >"$work/test.log" 2>&1 || status=$?
  printf 'round %d: test.sh with the download  wall %7.1f s' "$round" "$(cat "$work/time")"
  [ $status -eq 0 ] && echo || { echo "   FAILED ($status), see the end of its log:"; tail -20 "$work/test.log"; }
done
