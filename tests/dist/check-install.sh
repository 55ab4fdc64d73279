#!/bin/sh
# Installs the build into a temporary prefix and checks that every file a
# desktop needs is there and that every program answers --help without a
# display. Usage: check-install.sh BUILD-FOLDER
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
status=0
for f in \
  bin/mx615 bin/mx615-cli bin/mx615-radio-sim \
  share/applications/com.harborsignal.mx615.desktop \
  share/metainfo/com.harborsignal.mx615.metainfo.xml \
  share/mime/packages/com.harborsignal.mx615.xml \
  share/icons/hicolor/scalable/apps/mx615.svg \
  share/icons/hicolor/48x48/apps/mx615.png \
  share/icons/hicolor/256x256/apps/mx615.png \
  lib/udev/rules.d/70-mx615.rules \
  share/man/man1/mx615.1.gz share/man/man1/mx615-cli.1.gz share/man/man1/mx615-radio-sim.1.gz \
  share/doc/mx615/changelog.gz \
  share/doc/mx615/copyright
do
  [ -f "$prefix/$f" ] || { echo "missing after install: $f"; status=1; }
done
# The desktop entry and the program name the same icon.
grep -qx 'Icon=mx615' "$prefix/share/applications/com.harborsignal.mx615.desktop" ||
  { echo "the desktop entry does not name the icon mx615"; status=1; }
# Double-clicking a .chann or .csv file starts the program with the file.
grep -qx 'Exec=mx615 %f' "$prefix/share/applications/com.harborsignal.mx615.desktop" &&
  grep -qx 'MimeType=application/x-mx615-chann;text/csv;' "$prefix/share/applications/com.harborsignal.mx615.desktop" ||
  { echo "the desktop entry does not open .chann and .csv files with mx615 %f"; status=1; }
# The file type builds into a MIME database: *.chann in any letter case (no
# ":cs" flag), shown with the program's icon.
if command -v update-mime-database >/dev/null 2>&1 && [ -f "$prefix/share/mime/packages/com.harborsignal.mx615.xml" ]; then
  if update-mime-database "$prefix/share/mime" >/dev/null 2>&1; then
    grep -qx 'application/x-mx615-chann:\*\.chann' "$prefix/share/mime/globs" &&
      grep -q '^[0-9]*:application/x-mx615-chann:\*\.chann$' "$prefix/share/mime/globs2" &&
      grep -qx 'application/x-mx615-chann:mx615' "$prefix/share/mime/icons" ||
      { echo "the MIME database does not map *.chann (any case) to application/x-mx615-chann with icon mx615"; status=1; }
  else
    echo "update-mime-database refuses share/mime/packages/com.harborsignal.mx615.xml"
    status=1
  fi
fi
for p in mx615 mx615-cli mx615-radio-sim; do
  [ -x "$prefix/bin/$p" ] || continue
  if ! env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/$p" --help >/dev/null 2>&1; then
    echo "$p --help failed"
    status=1
  fi
done
# The command-line tool's page holds each command's help, and no page names
# itself among the others.
page=$prefix/share/man/man1/mx615-cli.1.gz
if [ -f "$page" ]; then
  for command in read write verify adjust-read adjust-write show diff export-csv print import-csv ports doctor; do
    zcat "$page" | grep -Eq "^usage: mx615-cli $command( |\$)" ||
      { echo "the manual page mx615-cli(1) lacks the help of $command"; status=1; }
  done
fi
for p in mx615 mx615-cli mx615-radio-sim; do
  f=$prefix/share/man/man1/$p.1.gz
  [ -f "$f" ] && zcat "$f" | sed -n '/^\.SH SEE ALSO/,$p' | grep -q "$p(1)" &&
    { echo "the manual page $p(1) names itself under SEE ALSO"; status=1; }
done
[ $status -eq 0 ] && echo "install into $prefix: every file present, every --help works"
exit $status
