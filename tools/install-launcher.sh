#!/usr/bin/env bash
# Puts Barlog into this user's desktop menu: the launcher, starting the
# given program, into ~/.local/share/applications and the icon under
# ~/.local/share/icons. ./run.sh calls it for the program it installed.
# Usage: tools/install-launcher.sh PROGRAM
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 PROGRAM" >&2; exit 2; }
here=$(cd "$(dirname "$0")/.." && pwd)
id=de.barlog.Barlog
program=$(realpath "$1")
data=${XDG_DATA_HOME:-$HOME/.local/share}
apps=$data/applications
icons=$data/icons/hicolor/scalable/apps
mkdir -p "$apps" "$icons"

# Exec takes the path in double quotes, with \ " ` $ escaped inside and %
# doubled; then, like every value, its backslashes are doubled once more.
arg=${program//%/%%}
arg=${arg//\\/\\\\}
arg=${arg//\"/\\\"}
arg=${arg//\`/\\\`}
arg=${arg//\$/\\\$}
exec_value="\"${arg//\\/\\\\}\""
tryexec_value=${program//\\/\\\\}

while IFS= read -r line; do
  case $line in
    Exec=*) printf 'Exec=%s\n' "$exec_value" ;;
    TryExec=*) printf 'TryExec=%s\n' "$tryexec_value" ;;
    *) printf '%s\n' "$line" ;;
  esac
done < "$here/dist/$id.desktop" > "$apps/$id.desktop.new"
mv "$apps/$id.desktop.new" "$apps/$id.desktop"
cp "$here/dist/$id.svg" "$icons/$id.svg"
# Menus that keep a cache of the launchers learn of the new one.
if command -v update-desktop-database > /dev/null; then
  update-desktop-database -q "$apps" || true
fi
echo "launcher: $apps/$id.desktop"
