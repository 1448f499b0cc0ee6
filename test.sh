#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors under ASan and
# UBSan, and runs every test on the offscreen platform.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh debian-packages.txt debian-packages-test.txt

build=${BARLOG_TEST_BUILD:-build-test}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DBARLOG_WERROR=ON -DBARLOG_SANITIZE=ON \
  -DBARLOG_TESTS=ON -DBARLOG_BENCH=ON > "$build.configure.log" 2>&1 || { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
