#!/usr/bin/env bash
# One scripted user session for tools/compare-builds.sh: starts ./barlog in
# PROGRAM_FOLDER on $DISPLAY (Xvfb with a window manager), sets up DATEV,
# books a month, saves it twice, writes the print-out as PDF, the CSV and
# the DATEV file, opens the year overview and the change log, closes the
# month and quits. Screenshots of each window go to SHOT_FOLDER.
# Usage: DISPLAY=:n tools/compare-builds-session.sh PROGRAM_FOLDER SHOT_FOLDER
set -euo pipefail
prog=$1
shots=$2
# The month the session books, and the frozen clock: log times, the DATEV
# header and the PDF's dates come out the same in every run.
readonly now="2024-03-28 10:30:00" year=2024 month=03
mkdir -p "$shots"

# Leaves what the screen showed and which windows were open.
fail() {
  echo "session: $*" >&2
  xdotool search --onlyvisible --name . getwindowname %@ >&2 || true
  xwd -root -silent | convert xwd:- "png:$shots/failure.png" || true
  exit 1
}
# Waits for a visible window whose title matches the pattern, raises it
# and prints its id; typed keys go to the window that has the focus.
window() {
  local id
  id=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n1) || fail "no window \"$1\""
  xdotool windowactivate --sync "$id"
  echo "$id"
}
gone() {
  local i
  for i in $(seq 200); do
    xdotool search --onlyvisible --name "$1" > /dev/null || return 0
    sleep 0.05
  done
  fail "window \"$1\" stays open"
}
appears() {
  local i
  for i in $(seq 200); do
    [ -s "$prog/$1" ] && return 0
    sleep 0.05
  done
  fail "no file $1"
}
# A window's picture once two in a row agree, so that repaints after a
# dialog closed are done; the pointer waits outside so that no button shows
# its hover look. A blinking caret would make pictures differ by chance, so
# every picture is taken while no text field has the focus.
shot() {
  local i png=$shots/$1.png
  xdotool mousemove 1023 767
  for i in $(seq 20); do
    sleep 0.2
    xwd -id "$2" -silent | convert xwd:- -define png:exclude-chunks=date,time "png:$png.new"
    cmp -s "$png.new" "$png" && break
    mv "$png.new" "$png"
  done
  rm -f "$png.new"
}
to_main() { xdotool windowactivate --sync "$main"; }
# Window-relative places of the design's controls (1016 x 724 with menu bar).
click() { xdotool mousemove --window "$main" "$1" "$2" click 1; }
cell() { click $(($1 * 67 + 30)) $(($2 * 16 + 25)); } # amount column, row
quick() { click 773 $((42 + 45 * $1)); }                   # quick-entry button 0 to 11
type_() { xdotool type --delay 15 "$1"; }
keys() { xdotool key --delay 30 "$@"; }
# Menu entries by their place: the menus open with their first entry active.
datei() {
  keys alt+d
  local i
  for ((i = 0; i < $1; i++)); do keys Down; done
  keys Return
}
readonly PDF=4 CSV=6 DATEV_MONTH=7 YEAR_OVERVIEW=9

cd "$prog"
FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f "$now" ./barlog &
app=$!
main=$(window '^Barlog 2020$')

# DATEV needs the adviser's and the client's numbers before it exports.
click 933 280 # "Einstellungen festlegen"
settings=$(window '^Einstellungen$')
keys Tab Tab Tab Tab Tab # past the rates and the buttons to "Beraternummer"
type_ 12345
keys Tab
type_ 678
keys shift+Tab shift+Tab shift+Tab space # "Speichern"
appears datev.dat
shot einstellungen "$settings"
keys Tab space # "Schließen"
gone '^Einstellungen$'
to_main

# The opening balance and the month's first receipt number in the
# carry-over row, then the month's bookings.
cell 4 2
type_ 250
keys Right Right
type_ 1
keys Down Left Left Left Left Left Left
quick 0 # "Tageseinnahme" into the text, the cursor stays on the amount
type_ 119
keys Tab
type_ 53,5
keys Tab
type_ 20
keys Tab Tab Tab
type_ 8400
keys Tab Tab
type_ 01.03.2024
keys Tab Return
type_ "Bürobedarf Kopierpapier"
keys Left
type_ 05.03.2024
keys Left Left
type_ 4930
keys Left Left
type_ 23,8
keys Return
quick 4 # "Porto"
type_ 8,5
keys Tab Tab
type_ 4910
keys Tab Tab
type_ 07.03.2024
keys Return
type_ 12.03.2024
keys Tab
type_ "Gutschrift Kühlschrank Müller"
keys Left Left Left Left Left Left Left
type_ 21,4
keys Return
keys ctrl+s # a new month file: no question
appears "$year/$year-$month.mdb"

# A later booking, saved over the month file: the change log grows.
keys Right
type_ 100
quick 9 # "Privateinlage"
keys Tab Tab Tab Tab Tab
type_ 28.03.2024
keys Return ctrl+s
window '^Speichern$' > /dev/null # the file exists: replace it
keys Return
gone '^Speichern$'

datei $PDF
window '^Als PDF speichern$' > /dev/null
keys Return # the proposed name
appears "$year/$year-$month.pdf"
datei $CSV
window '^CSV exportieren$' > /dev/null
keys Return
appears "$year/$year-$month.csv"
datei $DATEV_MONTH
window '^DATEV-Export$' > /dev/null
keys Return
appears "$year/EXTF_Buchungsstapel_$year-$month.csv"
to_main
shot main "$main"

datei $YEAR_OVERVIEW
overview=$(window "^Jahresübersicht $year\$")
shot jahresuebersicht "$overview"
keys alt+F4
gone "^Jahresübersicht $year\$"
to_main
keys alt+m p # "Änderungsprotokoll"
log=$(window "^Änderungsprotokoll $year-$month\$")
shot aenderungsprotokoll "$log"
keys alt+F4
gone "^Änderungsprotokoll $year-$month\$"
to_main

keys alt+m a # "Abschließen …"
window '^Monat abschließen$' > /dev/null
keys Return
gone '^Monat abschließen$'
keys ctrl+q
window '^Beenden$' > /dev/null
keys Return
for i in $(seq 200); do
  kill -0 "$app" 2> /dev/null || break
  sleep 0.05
done
! kill -0 "$app" 2> /dev/null || fail "Barlog does not end"
wait "$app" || fail "Barlog ended with status $?"
