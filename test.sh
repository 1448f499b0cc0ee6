#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors under ASan and
# UBSan, and runs every test on the offscreen platform, the print tests
# against a private CUPS server.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh debian-packages.txt debian-packages-test.txt

build=${BARLOG_TEST_BUILD:-build-test}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DBARLOG_WERROR=ON -DBARLOG_SANITIZE=ON \
  -DBARLOG_TESTS=ON -DBARLOG_BENCH=ON > "$build.configure.log" 2>&1 || { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
# The print tests print on a CUPS server of their own, reached through
# CUPS_SERVER; a system print server, if there is one, is left alone.
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
cupsdir=$(mktemp -d /tmp/barlog-cups.XXXXXX)
trap '$sudo tools/cups-test-server.sh stop "$cupsdir"; $sudo rm -rf "$cupsdir"' EXIT
cupsenv=$($sudo tools/cups-test-server.sh start "$cupsdir")
eval "$cupsenv"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
