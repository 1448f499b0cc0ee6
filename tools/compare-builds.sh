#!/usr/bin/env bash
# Shows whether two revisions of Barlog behave the same for a user. Builds
# each in release mode in a scratch folder, runs one scripted user session
# (tools/compare-builds-session.sh) under Xvfb with a frozen clock, and
# compares what the user is left with: the files in the program folder (the
# month files' tables, the print-out as text and pages, the CSV and DATEV
# files, the settings) and pictures of the windows. One line per artefact;
# the exit status is 1 when anything differs, 2 when a step failed.
# Usage: tools/compare-builds.sh [--keep DIR] [--ignore-log] REV_A REV_B
#   --keep DIR    keep both sides' artefacts and the diffs in DIR
#   --ignore-log  leave the change log out: its table "Protokoll", the log
#                 fingerprint in "Abschluss" and in the register of closed
#                 months, and the change log window's picture
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(git -C "$here" rev-parse --show-toplevel)

usage() {
  sed -n 's/^# \{0,1\}//; 9,13p' "$0" >&2
  exit 2
}
fail() {
  echo "compare-builds: $*" >&2
  exit 2
}

keep="" ignore_log=0 revs=()
while [ $# -gt 0 ]; do
  case $1 in
    --keep) [ $# -ge 2 ] || usage; keep=$2; shift 2 ;;
    --ignore-log) ignore_log=1; shift ;;
    -*) usage ;;
    *) revs+=("$1"); shift ;;
  esac
done
[ ${#revs[@]} -eq 2 ] || usage
for i in 0 1; do
  git -C "$repo" rev-parse --quiet --verify "${revs[i]}^{commit}" > /dev/null || fail "no revision ${revs[i]}"
done

"$here/install-deps.sh" debian-packages.txt debian-packages-test.txt > /dev/null
work=$(mktemp -d)
out=${keep:-$work/out}
xvfb="" wm=""
cleanup() {
  stop_display
  rm -rf "$work"
}
trap cleanup EXIT
rm -rf "$out/a" "$out/b" "$out/diff"
mkdir -p "$out"

# A release build of REV from `git archive`, so the caller's working tree
# and the repository's list of worktrees stay as they are. ccache's base
# folder is the scratch tree: both sides, and every run, share the cache.
build() {
  local src=$work/src-$1 log=$out/build-$1.log
  mkdir -p "$src"
  git -C "$repo" archive "$2" | tar -x -C "$src"
  local generator=()
  command -v ninja > /dev/null && generator=(-G Ninja)
  (
    export CCACHE_BASEDIR=$src CCACHE_NOHASHDIR=1
    cmake -S "$src" -B "$src/build-release" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DBARLOG_TESTS=OFF &&
      cmake --build "$src/build-release" -j2 --target barlog
  ) > "$log" 2>&1 || { tail -n 30 "$log" >&2; fail "the build of $2 failed${keep:+; see $log}"; }
}

# Xvfb at the design's screen size with openbox. -noreset keeps the keyboard
# layout when the last client leaves. A window mapped while openbox still
# starts up is never shown, so wait for its start-up command.
start_display() {
  rm -f "$work/display" "$work/wm-ready"
  Xvfb -noreset -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$work/display" > /dev/null 2>&1 &
  xvfb=$!
  waitfor -s "$work/display" || fail "Xvfb does not start"
  display=:$(cat "$work/display")
  # A German keyboard has the umlauts. Without them xdotool maps each one to
  # a spare key for a moment, and the program may drop it if it reads the
  # mapping only after xdotool took it back.
  DISPLAY=$display setxkbmap -layout de
  DISPLAY=$display HOME=$work/session/home openbox --startup "touch $work/wm-ready" > /dev/null 2>&1 &
  wm=$!
  waitfor -e "$work/wm-ready" || fail "openbox does not start"
}
waitfor() {
  local i
  for i in $(seq 200); do
    test "$1" "$2" && return 0
    sleep 0.05
  done
  return 1
}
stop_display() {
  # shellcheck disable=SC2086 # nothing to stop when empty
  kill $wm $xvfb 2> /dev/null || true
  # shellcheck disable=SC2086
  wait $wm $xvfb 2> /dev/null || true
  wm="" xvfb=""
}

# The session runs in the same folders for both sides, with a fresh home,
# so that no path, remembered dialog state or setting tells them apart.
session() {
  local s=$work/session
  rm -rf "$s"
  mkdir -p "$s/Barlog" "$s/home" "$s/run"
  chmod 700 "$s/run"
  cp "$work/src-$1/build-release/barlog" "$s/Barlog/"
  start_display
  env -i PATH="$PATH" HOME="$s/home" XDG_RUNTIME_DIR="$s/run" DISPLAY="$display" LANG=C.UTF-8 TZ=UTC \
    "$here/compare-builds-session.sh" "$s/Barlog" "$out/$1/windows" > "$out/session-$1.log" 2>&1 ||
    { stop_display; tail -n 20 "$out/session-$1.log" >&2; fail "the session of side $1 failed${keep:+; see $keep}"; }
  stop_display
  capture "$s/Barlog" "$out/$1"
}

# One text file per table, rows in the order they were written, and the
# schema with the file's stamps. --ignore-log drops the log table and every
# column that fingerprints it.
dump_tables() {
  local table columns
  for table in $(sqlite3 -readonly "$1" "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"); do
    [ "$ignore_log" = 1 ] && [ "$table" = Protokoll ] && continue
    columns=$(sqlite3 -readonly "$1" "SELECT group_concat('\"' || name || '\"', ', ') FROM pragma_table_info('$table')
                                        WHERE $ignore_log = 0 OR name <> 'Protokoll'")
    sqlite3 -readonly -header "$1" "SELECT $columns FROM \"$table\" ORDER BY rowid" > "$2.$table.txt"
  done
  { sqlite3 -readonly "$1" .schema "PRAGMA application_id" "PRAGMA user_version"; } > "$2.schema.txt"
}

# Every file the session left beside the program, in a form that can be
# compared: month files as tables, the PDF as text and pages, the rest as is.
capture() {
  local prog=$1 dest=$2 file
  (cd "$prog" && find . -type f ! -path ./barlog | sed 's|^\./||' | LC_ALL=C sort) > "$dest/files.txt"
  while read -r file; do
    mkdir -p "$dest/$(dirname "$file")"
    if [ "$(head -c 15 "$prog/$file")" = "SQLite format 3" ]; then
      dump_tables "$prog/$file" "$dest/$file"
    elif [[ $file == *.pdf ]]; then
      pdftotext -layout "$prog/$file" "$dest/$file.txt"
      pdftoppm -r 100 -png "$prog/$file" "$dest/$file.page"
    elif [ "$ignore_log" = 1 ] && [ "$file" = Monatsabschluesse.txt ]; then
      cut -d';' -f1-3 "$prog/$file" > "$dest/$file"
    else
      cp "$prog/$file" "$dest/$file"
    fi
  done < "$dest/files.txt"
  [ "$ignore_log" = 0 ] || rm -f "$dest/windows/aenderungsprotokoll.png"
}

# One verdict per artefact; a text difference is kept as a diff.
compare_one() {
  local a=$out/a/$1 b=$out/b/$1 pixels
  if [ ! -e "$a" ] || [ ! -e "$b" ]; then
    echo "differs: only in $([ -e "$a" ] && echo A || echo B)"
  elif [[ $1 == *.png ]]; then
    pixels=$(compare -metric AE "$a" "$b" null: 2>&1) || true
    if [ "$pixels" = 0 ]; then
      echo "same"
    elif [[ $pixels =~ ^[0-9]+$ ]]; then
      echo "differs: $pixels pixels"
    else
      echo "differs: $(identify -format '%wx%h' "$a") against $(identify -format '%wx%h' "$b")"
    fi
  elif cmp -s "$a" "$b"; then
    echo "same"
  else
    mkdir -p "$(dirname "$out/diff/$1")"
    diff -a -u "$a" "$b" > "$out/diff/$1.diff" || true
    echo "differs: lines -$(tail -n +3 "$out/diff/$1.diff" | grep -c '^-' || true)" \
      "+$(tail -n +3 "$out/diff/$1.diff" | grep -c '^+' || true), see diff/$1.diff"
  fi
}

describe() { git -C "$repo" log -1 --format='%h %s' "$1"; }
echo "A: $(describe "${revs[0]}")"
echo "B: $(describe "${revs[1]}")"
[ "$ignore_log" = 0 ] || echo "The change log, its fingerprints and its window are left out."
start=$SECONDS
for side in a b; do
  rev=${revs[0]}
  [ $side = b ] && rev=${revs[1]}
  step=$SECONDS
  build $side "$rev"
  built=$SECONDS
  mkdir -p "$out/$side/windows"
  session $side
  echo "${side^^}: built in $((built - step)) s, session in $((SECONDS - built)) s"
done

differences=0
while read -r artefact; do
  verdict=$(compare_one "$artefact")
  [ "$verdict" = same ] || differences=$((differences + 1))
  printf '%-50s %s\n' "$artefact" "$verdict"
done < <({ (cd "$out/a" && find . -type f) && (cd "$out/b" && find . -type f); } | sed 's|^\./||' | LC_ALL=C sort -u)

echo "$differences of the artefacts differ; $((SECONDS - start)) s in all${keep:+; kept in $keep}"
[ "$differences" -eq 0 ]
