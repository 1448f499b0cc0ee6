# Sourced by scripts that run Barlog as a user would: copies a program into
# an empty scratch folder and starts an Xvfb screen of the design's size.
# Sets $scratch and $display; everything is removed again on exit.
scratch_display() {
  scratch=$(mktemp -d)
  cp "$1" "$scratch/"
  display=:$((80 + RANDOM % 19))
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  app=""
  trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$scratch"' EXIT
  sleep 1
}
