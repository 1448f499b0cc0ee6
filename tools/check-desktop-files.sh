#!/usr/bin/env bash
# Validates what puts Barlog on the desktop: the launcher and AppStream data
# of an install into a prefix, as the Debian package has them, and the
# user launcher of ./run.sh for a program in a folder with awkward
# characters. Usage: tools/check-desktop-files.sh BUILD-DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
id=de.barlog.Barlog
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch/usr" > /dev/null
for f in bin/barlog share/applications/$id.desktop share/icons/hicolor/scalable/apps/$id.svg \
  share/metainfo/$id.metainfo.xml share/man/man1/barlog.1.gz share/doc/barlog/copyright \
  share/doc/barlog/changelog.gz; do
  [ -f "$scratch/usr/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
desktop-file-validate "$scratch/usr/share/applications/$id.desktop"
appstreamcli validate --no-net --explain "$scratch/usr/share/metainfo/$id.metainfo.xml" > "$scratch/appstream.log" \
  || { cat "$scratch/appstream.log" >&2; exit 1; }

program="$scratch/Kasse 100% \$\"\`/barlog"
mkdir -p "$(dirname "$program")"
: > "$program"
XDG_DATA_HOME="$scratch/home/.local/share" tools/install-launcher.sh "$program" > /dev/null
desktop-file-validate "$scratch/home/.local/share/applications/$id.desktop"
[ -f "$scratch/home/.local/share/icons/hicolor/scalable/apps/$id.svg" ]
echo "desktop files valid"
