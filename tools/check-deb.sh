#!/usr/bin/env bash
# Builds the Debian package, runs lintian on it, installs it with apt-get
# and starts /usr/bin/barlog as a user would: under Xvfb, with a scratch
# HOME. The books folder ~/.local/share/Barlog must appear, a second start
# must be refused while the first runs, and a start after the first was
# killed must take over its stale lock. Needs root or sudo for apt-get.
# Usage: tools/check-deb.sh [build-dir] [screenshot-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-deb}
shots=${2:-}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
tools/install-deps.sh debian-packages.txt debian-packages-test.txt debian-packages-deb.txt

step() { printf '\n== %s\n' "$*"; }
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

step "build"
deb=$(tools/build-deb.sh "$build" | tail -n1)
step "package"
ls -l "$deb"
dpkg-deb -f "$deb" Package Version Architecture Installed-Size Section Depends
step "lintian"
lintian --fail-on error --display-info "$deb" 2>&1 | grep -v 'running with root privileges' || true
lintian --fail-on error "$deb" > /dev/null 2>&1 || fail "lintian reports errors"
echo "no errors"

step "install"
(cd "$(dirname "$deb")" && $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall "./$(basename "$deb")") \
  | grep -E 'barlog' || true
dpkg -s barlog | grep -E '^(Status|Version):'
ls /usr/share/applications/de.barlog.Barlog.desktop /usr/share/icons/hicolor/scalable/apps/de.barlog.Barlog.svg

home=$(mktemp -d)
pids=()
xvfb=""
trap 'kill "${pids[@]}" $xvfb 2>/dev/null || true; rm -rf "$home"' EXIT
# Xvfb picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3> "$home/display" > /dev/null 2>&1 &
xvfb=$!
for i in $(seq 1 100); do
  [ -s "$home/display" ] && break
  sleep 0.1
done
display=:$(cat "$home/display")
books=$home/.local/share/Barlog

barlog() {
  env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" DISPLAY="$display" XDG_RUNTIME_DIR="$home" \
    /usr/bin/barlog > "$home/$1.log" 2>&1 &
  pids+=($!)
}
# Waits until the process shows a window and prints the window's id.
window_of() {
  local i w
  for i in $(seq 1 200); do
    w=$(DISPLAY=$display xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n1 || true)
    [ -n "$w" ] && { echo "$w"; return 0; }
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
shot() {
  [ -n "$shots" ] || return 0
  mkdir -p "$shots"
  DISPLAY=$display xwd -root -silent | convert xwd:- "png:$shots/$1.png"
  echo "screenshot: $shots/$1.png"
}

step "first start, HOME=$home, as $(id -un)"
barlog first
first=${pids[-1]}
window_of "$first" > /dev/null || fail "the first Barlog shows no window"
[ -f "$books/barlog.lock" ] || fail "no $books/barlog.lock"
ls -la "$books"
ls /usr/bin/barlog.lock /usr/bin/bl.dat 2> /dev/null && fail "books in /usr/bin"
echo "books folder created: $books; nothing written into /usr/bin"
shot deb-first

step "second start while the first runs"
barlog second
second=${pids[-1]}
box=$(window_of "$second") || fail "the second Barlog neither refused nor showed a window"
shot deb-second-refused
DISPLAY=$display xdotool windowfocus --sync "$box" key Return
status=0
wait "$second" || status=$?
[ "$status" -eq 1 ] || fail "the second Barlog ended with $status, not 1"
kill -0 "$first" || fail "the first Barlog ended too"
echo "refused: the second Barlog showed its message and ended with status 1; the first still runs"

step "start after the first was killed"
kill -KILL "$first"
wait "$first" 2> /dev/null || true
[ -f "$books/barlog.lock" ] || fail "the killed Barlog left no lock to take over"
barlog third
third=${pids[-1]}
window_of "$third" > /dev/null || fail "the stale lock was not taken over"
grep -q "$third" "$books/barlog.lock" || fail "the lock does not name the new Barlog"
echo "stale lock taken over by process $third"

step "menu entry"
grep -E '^(Name|Comment|Exec|Icon|Categories)=' /usr/share/applications/de.barlog.Barlog.desktop
echo
echo "check-deb: all passed"
