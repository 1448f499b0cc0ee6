#!/usr/bin/env bash
# Builds the Debian package: a release build for /usr with Debian's
# hardening flags, packed by CPack into BUILD-DIR/barlog_<version>_<arch>.deb.
# Usage: tools/build-deb.sh [build-dir]   (default build-deb)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-deb}
tools/install-deps.sh debian-packages.txt
# The flags a Debian package is built with, every hardening option on.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBARLOG_TESTS=OFF \
  -DBARLOG_FOLDER_INSTALL=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" > "$build.configure.log" 2>&1 \
  || { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/barlog_*.deb
(cd "$build" && cpack -G DEB > cpack.log) || { cat "$build/cpack.log"; exit 1; }
ls "$build"/barlog_*.deb
