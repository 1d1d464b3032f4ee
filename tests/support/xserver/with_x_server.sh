#!/usr/bin/env bash
# Runs a command under a virtual X server of its own and ends the server after it; the exit
# status is the command's. Xvfb picks a free display itself and names it once it takes
# connections, so servers started at the same moment never reach for the same number, as
# they do when a free one is guessed from the lock files in /tmp.
#   with_x_server.sh WIDTHxHEIGHTxDEPTH COMMAND [ARGUMENT...]
set -euo pipefail
screen=$1
shift
dir=$(mktemp -d "${TMPDIR:-/tmp}/velorune-x.XXXXXX")
server=
end() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$dir"
}
trap end EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

# The server takes every cookie its file holds; a client looks its own up by display number,
# which is known only once the server has chosen it.
cookie=$(mcookie)
touch "$dir/auth"
xauth -q -f "$dir/auth" add :0 . "$cookie"
mkfifo "$dir/display"
# Killed with this script, the server goes too. It never resets when its last client leaves:
# a test's next connection would be refused a moment.
setpriv --pdeathsig TERM Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset -auth "$dir/auth" \
  3>"$dir/display" >"$dir/log" 2>&1 &
server=$!
if ! read -r number <"$dir/display"; then
  echo "with_x_server.sh: the X server did not start:" >&2
  cat "$dir/log" >&2
  exit 1
fi
xauth -q -f "$dir/auth" add ":$number" . "$cookie"
status=0
DISPLAY=":$number" XAUTHORITY="$dir/auth" "$@" || status=$?
exit "$status"
