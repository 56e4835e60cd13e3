#!/usr/bin/env bash
# Starts a virtual X display on a free display number and prints "DISPLAY PID", e.g. ":1 4242".
# The server runs on after this script ends; stop it with kill PID.
set -euo pipefail
log=${1:-/dev/null}
fifo=$(mktemp -u)
mkfifo "$fifo"
trap 'rm -f "$fifo"' EXIT
# -displayfd makes the server pick a free display and write its number once it is ready.
setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" </dev/null >"$log" 2>&1 &
pid=$!
read -r -t 30 num <"$fifo" || { echo "xvfb.sh: Xvfb did not start" >&2; kill "$pid" 2>/dev/null; exit 1; }
echo ":$num $pid"
