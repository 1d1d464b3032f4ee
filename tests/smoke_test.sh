#!/usr/bin/env bash
# Starts the real game from a copy of the output folder on the X server of DISPLAY (see
# tests/support/xserver/with_x_server.sh), lets it reach the main menu, asks it to close (SIGTERM
# arrives as the window's close event) and checks that it ended cleanly with every start-up
# step logged as a success.
set -euo pipefail
bin="$1"
work=$(mktemp -d)
game=
trap '[ -z "$game" ] || kill -KILL "$game" 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$bin"/. "$work"/
rm -f "$work/Debug.txt" "$work/options.dat" "$work/stats.dat"

export SDL_AUDIODRIVER=dummy
"$work/Velorune" &
game=$!
# The main menu is up once the log has the sound's start and the play statistics exist: a
# game without them writes them as it shows the menu.
deadline=$((SECONDS + 30))
until grep -q "Initalise DirectSound" "$work/Debug.txt" 2>/dev/null && [ -e "$work/stats.dat" ]; do
  if ! kill -0 "$game" 2>/dev/null; then
    echo "the game ended before its main menu"
    cat "$work/Debug.txt" 2>/dev/null || true
    exit 1
  fi
  [ "$SECONDS" -lt "$deadline" ] || { echo "no main menu within 30 s"; exit 1; }
  sleep 0.05
done
kill -TERM "$game"
status=0
wait "$game" || status=$?
game=
cat "$work/Debug.txt"
[ "$status" -eq 0 ] || { echo "exit status $status"; exit 1; }
for line in "\"Initalise DirectX and DX3D = True\"" "\"Initalise DirectInput = True\""; do
  grep -qF "$line" "$work/Debug.txt" || { echo "missing $line"; exit 1; }
done
[ -s "$work/options.dat" ] || { echo "options.dat not written"; exit 1; }
[ -s "$work/stats.dat" ] || { echo "stats.dat not created"; exit 1; }
echo "smoke test passed"
