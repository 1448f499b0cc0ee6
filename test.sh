#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors under ASan and
# UBSan, validates the launcher and AppStream data, and runs every test on
# the offscreen platform, the print tests against a private CUPS server.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh debian-packages.txt debian-packages-test.txt

build=${BARLOG_TEST_BUILD:-build-test}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DBARLOG_WERROR=ON -DBARLOG_SANITIZE=ON \
  -DBARLOG_TESTS=ON -DBARLOG_BENCH=ON > "$build.configure.log" 2>&1 || { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j"$(nproc)"
tools/check-desktop-files.sh "$build"

export QT_QPA_PLATFORM=offscreen
# The print tests print on a CUPS server of their own, reached through
# CUPS_SERVER; a system print server, if there is one, is left alone. The
# server needs root: where it cannot start, every other test still runs.
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo -n"
cupsdir=$(mktemp -d /tmp/barlog-cups.XXXXXX)
trap '$sudo tools/cups-test-server.sh stop "$cupsdir" 2>/dev/null; $sudo rm -rf "$cupsdir"' EXIT
if cupsenv=$($sudo tools/cups-test-server.sh start "$cupsdir"); then
  eval "$cupsenv"
  ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
else
  echo "test.sh: no private CUPS server could be started; the tests labelled cups are left out." >&2
  # CI must run every test.
  [ -z "${CI:-}" ] || exit 1
  ctest --test-dir "$build" --output-on-failure -j"$(nproc)" -LE cups
fi
