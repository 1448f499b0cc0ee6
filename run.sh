#!/usr/bin/env bash
# Installs what is missing, builds a release, installs Barlog into its own
# folder (default ~/Barlog), puts it into the desktop's menu and starts it.
# Barlog keeps its year folders, bl.dat and Tasten.txt beside the program
# there, so rebuilding never touches the books.
set -euo pipefail
cd "$(dirname "$0")"
dest=${1:-"$HOME/Barlog"}
tools/install-deps.sh debian-packages.txt
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBARLOG_TESTS=OFF -DBARLOG_FOLDER_INSTALL=ON \
  > build-release.configure.log 2>&1 || { cat build-release.configure.log; exit 1; }
cmake --build build-release -j"$(nproc)"
cmake --install build-release --prefix "$dest" > /dev/null
tools/install-launcher.sh "$dest/barlog"
cd "$dest"
exec ./barlog
