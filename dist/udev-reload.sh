#!/bin/sh
# The package's postinst and postrm: the udev rule for programming cables
# takes effect, or goes, without a reboot.
set -e
case "$1" in
configure | remove)
  if command -v udevadm >/dev/null 2>&1; then
    udevadm control --reload-rules >/dev/null 2>&1 || true
    udevadm trigger --subsystem-match=tty >/dev/null 2>&1 || true
  fi
  ;;
esac
exit 0
