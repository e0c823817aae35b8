#!/bin/sh
# Starts the program with options the toolkit would take (a platform that
# does not exist, right-to-left layout) on a display of its own, and passes
# only when the program ignores them: it must come up and show its window.
# A program that aborts on them, or hangs before its window, fails.
set -u
program="$1"
dir=$(mktemp -d)
trap 'kill "$app" "$server" 2>/dev/null; wait 2>/dev/null; rm -rf "$dir"' EXIT
Xvfb -displayfd 3 -nolisten tcp -auth /dev/null 3>"$dir/display" >/dev/null 2>&1 &
server=$!
i=0
while [ ! -s "$dir/display" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
DISPLAY=":$(cat "$dir/display")"
export DISPLAY
env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$dir" "$program" -platform no-such-platform -reverse >"$dir/out" 2>&1 &
app=$!
i=0
while [ $i -lt 100 ]; do
  if ! kill -0 "$app" 2>/dev/null; then
    echo "The program ended at start:"; cat "$dir/out"; exit 1
  fi
  if xwininfo -root -tree 2>/dev/null | grep -q '("lumetra" "Lumetra")'; then
    echo "The program is up, its window shown."; exit 0
  fi
  sleep 0.1; i=$((i + 1))
done
echo "No window of the program after 10 s:"; cat "$dir/out"; exit 1
