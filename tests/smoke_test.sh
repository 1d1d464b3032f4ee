#!/usr/bin/env bash
# Starts the real game headless from a copy of the output folder, lets it reach the main menu,
# asks it to close (SIGTERM arrives as the window's close event) and checks that it ended
# cleanly with every start-up step logged as a success.
set -euo pipefail
bin="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$bin"/. "$work"/
rm -f "$work/Debug.txt" "$work/options.dat" "$work/stats.dat"

run() {
  if [ -n "${DISPLAY:-}" ] || [ "${SDL_VIDEODRIVER:-}" = offscreen ]; then "$@"; else xvfb-run -a -s "-screen 0 1024x768x24" "$@"; fi
}
export SDL_AUDIODRIVER=dummy
run "$work/Velorune" &
pid=$!
for _ in $(seq 1 100); do
  grep -q "Initalise DirectSound" "$work/Debug.txt" 2>/dev/null && break
  sleep 0.1
done
sleep 1
# xvfb-run's child is the game: signal every Velorune process started from this folder.
pkill -TERM -f "^$work/Velorune" || true
status=0
wait "$pid" || status=$?
cat "$work/Debug.txt"
[ "$status" -eq 0 ] || { echo "exit status $status"; exit 1; }
for line in "\"Initalise DirectX and DX3D = True\"" "\"Initalise DirectInput = True\""; do
  grep -qF "$line" "$work/Debug.txt" || { echo "missing $line"; exit 1; }
done
[ -s "$work/options.dat" ] || { echo "options.dat not written"; exit 1; }
[ -s "$work/stats.dat" ] || { echo "stats.dat not created"; exit 1; }
echo "smoke test passed"
