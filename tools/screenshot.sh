#!/usr/bin/env bash
# Takes the README's screenshot: Barlog in a real window under Xvfb, started
# in an empty scratch folder. Usage: tools/screenshot.sh [build-dir] [out.png]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
out=${2:-docs/screenshot.png}
[ -x "$build/barlog" ] || { echo "no $build/barlog; build first (./run.sh builds build-release)"; exit 1; }
tools/install-deps.sh debian-packages-test.txt
source tools/scratch-display.sh
scratch_display "$build/barlog"
(cd "$scratch" && DISPLAY=$display ./barlog >/dev/null 2>&1) &
app=$!
sleep 2
# The main window at the top left, menu bar included, as large as it is.
size=$(DISPLAY=$display xwininfo -root -children | awk '/"Barlog 2020"/ {split($(NF-1), g, "+"); print g[1]; exit}')
DISPLAY=$display xwd -root -silent | convert xwd:- -crop "${size:-1016x724}+0+0" +repage "png:$out"
echo "wrote $out"
