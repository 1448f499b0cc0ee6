#!/usr/bin/env bash
# Runs each of Barlog's benchmarks and its floor (the least work any program
# must do for the same job, checked in its set-up to give the same bytes or
# pages) in turns, round after round, and prints for every measure the median
# of the per-round ratios with their range, beside the target: a Markdown
# table to paste into a closing note.
#
#   bench/ratios.sh [build-dir] [rounds] [filter]
#
# build-dir defaults to build-bench; a missing one is configured and built in
# release mode as the README says. rounds defaults to 10. filter, an
# extended regular expression, keeps only the measures whose name matches.
# BENCH_MIN_TIME (seconds, default 0.3) is each run's least measuring time;
# STARTUP_RUNS (default 5) the starts per side and round of the start-up.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
rounds=${2:-10}
filter=${3:-}
min_time=${BENCH_MIN_TIME:-0.3}
startup_runs=${STARTUP_RUNS:-5}
[[ $rounds =~ ^[1-9][0-9]*$ ]] || { echo "rounds must be a positive number" >&2; exit 2; }

if [ ! -x "$build/bench/bench_recalc" ] || [ ! -x "$build/bench/floor_startup_probe" ]; then
  echo "ratios.sh: building the release benchmarks in $build" >&2
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBARLOG_BENCH=ON -DBARLOG_TESTS=OFF >/dev/null
  cmake --build "$build" -j"$(nproc)" >/dev/null
fi

# name | target | clock | binary | Barlog's benchmark | the floor's benchmark
# cpu is the process's CPU time, which other work on the machine disturbs
# least; real is elapsed time, for the measures that wait on the disk.
measures=(
  "key → repainted editor, 300 rows|3|cpu|bench_editing|BM_KeyEventToRepaintedEditor/300|BM_FloorKeyEventToRepaintedEditor/300"
  "key → repainted editor, 3,000 rows|3|cpu|bench_editing|BM_KeyEventToRepaintedEditor/3000|BM_FloorKeyEventToRepaintedEditor/3000"
  "key that commits and moves, 300 rows|1.5|cpu|bench_editing|BM_KeyCommitAndMove/300|BM_FloorKeyCommitAndMove/300"
  "key that commits and moves, 3,000 rows|1.5|cpu|bench_editing|BM_KeyCommitAndMove/3000|BM_FloorKeyCommitAndMove/3000"
  "recalculation, carry-over changed, 300 rows|1.3|cpu|bench_recalc|BM_RecalcCarryOverChanged/300|BM_FloorRecalcCarryOverChanged/300"
  "recalculation, carry-over changed, 3,000 rows|1.3|cpu|bench_recalc|BM_RecalcCarryOverChanged/3000|BM_FloorRecalcCarryOverChanged/3000"
  "DATEV year, 3,600 rows|2|cpu|bench_dataout|BM_DatevYear|BM_FloorDatevYear"
  "year overview opens, 12 files|2|cpu|bench_dataout|BM_YearOverviewOpens|BM_FloorYearOverviewOpens"
  "print-out to PDF, two jobs|1.5|cpu|bench_print|BM_PrintOutToPdf|BM_FloorPrintOutToPdf"
  "sheet of 300 rows to PDF|1.5|cpu|bench_print|BM_PrintGridToPdf/300|BM_FloorPrintGridToPdf/300"
  "save, 300 rows (journal-only floor)|2|real|bench_monthfile|BM_SaveMonth/300|BM_FloorSaveMonth/300"
  "save, 3,000 rows (journal-only floor)|2|real|bench_monthfile|BM_SaveMonth/3000|BM_FloorSaveMonth/3000"
  "load with the chain check, 300 rows (log floor)|1.2|real|bench_monthfile|BM_LoadMonth/300|BM_FloorLoadMonthWithLog/300"
  "load with the chain check, 3,000 rows (log floor)|1.2|real|bench_monthfile|BM_LoadMonth/3000|BM_FloorLoadMonthWithLog/3000"
  "load with the chain check, 3,000 rows (journal-only floor)|4|real|bench_monthfile|BM_LoadMonth/3000|BM_FloorLoadMonth/3000"
  "start-up to the painted window (bare Qt window)|1.2|real|startup|startup_probe|floor_startup_probe"
)
# The PDFs' sizes come from the counters of these floors' runs.
pdf_sizes=(
  "PDF of the print-out's sheet job|2|BM_FloorPrintOutToPdf"
  "PDF of the sheet of 300 rows|2|BM_FloorPrintGridToPdf/300"
)

work=$(mktemp -d)
xvfb=""
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

# One run of one benchmark: prints "<microseconds> <counter=value>...", or
# "error <message>" when it failed or its floor's check did.
run_benchmark() {
  local binary=$1 name=$2 clock=$3
  local csv
  # From the build folder: the month files go to its disk, not to a /tmp in memory.
  csv=$(cd "$build" && "./bench/$binary" --benchmark_filter="^${name}\$" \
    --benchmark_min_time="$min_time" --benchmark_format=csv 2>/dev/null) || true
  printf '%s\n' "$csv" | awk -F, -v clock="$clock" '
    # Google Benchmark quotes the names of user counters in the header.
    /^name,/ { for (i = 1; i <= NF; ++i) { gsub(/"/, "", $i); col[$i] = i }; next }
    col["name"] && NF > 3 {
      if ($col["error_occurred"] == "true") { print "error " $col["error_message"]; found = 1; exit }
      t = clock == "cpu" ? $col["cpu_time"] : $col["real_time"]
      unit = $col["time_unit"]
      f = unit == "ns" ? 0.001 : unit == "ms" ? 1000 : unit == "s" ? 1000000 : 1
      line = sprintf("%.6f", t * f)
      for (c in col) if (c ~ /_kb$/) line = line " " c "=" $col[c]
      print line; found = 1; exit
    }
    END { if (!found) print "error no result" }'
}

start_display() {
  [ -n "$xvfb" ] && return
  startup_dir="$work/startup"
  mkdir -p "$startup_dir"
  cp "$build/bench/startup_probe" "$build/bench/floor_startup_probe" "$startup_dir/"
  display=:$((80 + RANDOM % 19))
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
}

# The median of startup_runs starts of a probe, in microseconds.
run_startup() {
  local probe=$1 times=() start painted
  for _ in $(seq "$startup_runs"); do
    rm -rf "$startup_dir"/20* "$startup_dir/Tasten.txt"
    start=$(date +%s%N)
    painted=$(cd "$startup_dir" && DISPLAY=$display QT_QPA_PLATFORM=xcb "./$probe" 2>/dev/null) || true
    [[ $painted =~ ^[0-9]+$ ]] || { echo "error $probe did not paint"; return; }
    times+=($(( (painted - start) / 1000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
}

selected=()
for m in "${measures[@]}"; do
  [ -z "$filter" ] || [[ ${m%%|*} =~ $filter ]] && selected+=("$m")
done
[ ${#selected[@]} -gt 0 ] || { echo "no measure matches '$filter'" >&2; exit 2; }

for round in $(seq "$rounds"); do
  echo "round $round of $rounds" >&2
  for i in "${!selected[@]}"; do
    IFS='|' read -r name target clock binary barlog floor <<<"${selected[$i]}"
    [ -e "$work/$i.failed" ] && continue
    # Alternate which side runs first, so that neither always meets a warm cache.
    sides=(barlog floor)
    (( round % 2 == 0 )) && sides=(floor barlog)
    for side in "${sides[@]}"; do
      bench=$barlog
      [ "$side" = floor ] && bench=$floor
      if [ "$binary" = startup ]; then
        start_display
        result=$(run_startup "$bench")
      else
        result=$(run_benchmark "$binary" "$bench" "$clock")
      fi
      if [[ $result == error* ]]; then
        echo "$side: ${result#error }" >"$work/$i.failed"
        break
      fi
      echo "${result%% *}" >>"$work/$i.$side"
      [[ $result == *" "* ]] && echo "${result#* }" >"$work/${bench//\//_}.counters"
    done
    [ -e "$work/$i.failed" ] && continue
    paste "$work/$i.barlog" "$work/$i.floor" | tail -n 1 | awk '{ printf "%.6f\n", $1 / $2 }' >>"$work/$i.ratio"
  done
done

# A time in microseconds, in the unit that reads best.
human_time() {
  awk -v t="$1" 'BEGIN {
    if (t >= 1000000) printf "%.2f s", t / 1000000
    else if (t >= 1000) printf "%.2f ms", t / 1000
    else printf "%.1f µs", t }'
}
median() { sort -g "$1" | awk '{ a[NR] = $1 } END { m = NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2; print m }'; }
within() { awk -v r="$1" -v t="$2" 'BEGIN { print (r <= t ? "yes" : "**no**") }'; }

commit=$(git rev-parse --short HEAD 2>/dev/null || echo unknown)
dirty=$(git status --porcelain --untracked-files=no 2>/dev/null | grep -q . && echo " (with uncommitted changes)" || true)
echo
echo "bench/ratios.sh on $commit$dirty, $(date -u '+%Y-%m-%d %H:%M UTC'), $rounds rounds, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| measure | Barlog | floor | ratio (median) | range | target | met |"
echo "|---|---|---|---|---|---|---|"
for i in "${!selected[@]}"; do
  IFS='|' read -r name target clock binary barlog floor <<<"${selected[$i]}"
  if [ -e "$work/$i.failed" ]; then
    echo "| $name | | | | | ≤ $target | **failed**: $(cat "$work/$i.failed") |"
    continue
  fi
  ratio=$(median "$work/$i.ratio")
  range=$(sort -g "$work/$i.ratio" | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%.2f–%.2f", lo, hi }')
  printf '| %s | %s | %s | %.2f | %s | ≤ %s | %s |\n' "$name" "$(human_time "$(median "$work/$i.barlog")")" \
    "$(human_time "$(median "$work/$i.floor")")" "$ratio" "$range" "$target" "$(within "$ratio" "$target")"
done
for p in "${pdf_sizes[@]}"; do
  IFS='|' read -r name target bench <<<"$p"
  counters="$work/${bench//\//_}.counters"
  [ -e "$counters" ] || continue
  read -r barlog_kb floor_kb < <(tr ' ' '\n' <"$counters" |
    awk -F= '$1 == "barlog_pdf_kb" { b = $2 } $1 == "floor_pdf_kb" { f = $2 } END { print b, f }')
  ratio=$(awk -v b="$barlog_kb" -v f="$floor_kb" 'BEGIN { printf "%.2f", b / f }')
  printf '| %s (size) | %.1f KB | %.1f KB | %s | | ≤ %s | %s |\n' "$name" "$barlog_kb" "$floor_kb" "$ratio" "$target" \
    "$(within "$ratio" "$target")"
done
echo
echo "Times are medians over the rounds: CPU time, except elapsed time for saving, loading and the start-up."
