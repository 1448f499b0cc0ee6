#!/usr/bin/env bash
# Median time from exec to the first painted main window, under Xvfb, in an
# empty program folder. Usage: bench/startup.sh [build-dir] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
runs=${2:-15}
probe="$build/bench/startup_probe"
[ -x "$probe" ] || { echo "build $probe first (-DBARLOG_BENCH=ON, Release)"; exit 1; }
source tools/scratch-display.sh
scratch_display "$probe"
times=()
for i in $(seq "$runs"); do
  rm -rf "$scratch"/20* "$scratch/Tasten.txt"
  start=$(date +%s%N)
  painted=$(cd "$scratch" && DISPLAY=$display ./startup_probe 2>/dev/null)
  times+=($(( (painted - start) / 1000 )))
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "runs %d, median %.1f ms, min %.1f ms, max %.1f ms\n", NR, a[int((NR+1)/2)]/1000, a[1]/1000, a[NR]/1000}'
