#!/usr/bin/env bash
# README's run command: builds korvprint, sets up a capture printer in CUPS and a Wine prefix,
# and runs the service under Wine in ./out/home. Jobs printed land in ./out/printed/<printer>/
# (PostScript ones also as PDF). Stop with Ctrl-C, or by dropping a one-byte file named DISABLE
# into ./out/home/WINPRINT.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

bash scripts/install-deps.sh
bash scripts/build.sh
source scripts/rig/wine-env.sh
[ "$KORV_WINE_ARCH" = win32 ] || bash scripts/build.sh "$KORV_WINE_ARCH"

out=$repo/out
home=$out/home
printed=$out/printed
export WINEPREFIX=$out/wineprefix
source scripts/rig/wine-env.sh
mkdir -p "$out" "$home/WINPRINT"

xvfb_pid= watcher_pid= service_pid=
cleanup() {
  trap - INT TERM EXIT
  [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null
  [ -n "$watcher_pid" ] && kill "$watcher_pid" 2>/dev/null
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null || true
}
trap cleanup EXIT
trap 'echo; echo "run.sh: stopping"; exit 130' INT TERM

# Jobs of this run go out as a CUPS user of its own; the capture backend files them in that
# user's folder, which out/printed points to.
source scripts/rig/queues.sh
export CUPS_USER="korvrun-$(printf '%s' "$repo" | sha1sum | cut -c1-8)"
bash scripts/rig/cups.sh
for q in "${KORV_QUEUES[@]}"; do mkdir -p "$KORV_CAPTURE_SPOOL/$CUPS_USER/$q"; done
[ -L "$printed" ] || rm -rf "$printed"
ln -sfn "$KORV_CAPTURE_SPOOL/$CUPS_USER" "$printed"
if [ -z "${DISPLAY:-}" ]; then
  read -r display xvfb_pid < <(bash scripts/rig/xvfb.sh "$out/xvfb.log")
  export DISPLAY=$display
  export KORV_NO_WINDOW_MANAGER=1
fi
echo "run.sh: preparing the Wine prefix $WINEPREFIX (the first time takes about 20 s)"
bash scripts/rig/prefix.sh "$WINEPREFIX"

cp "build/$KORV_WINE_ARCH/korvprint.exe" "$home/"
cp assets/VOZAZAD.TST "$home/"

bash scripts/rig/watch-printed.sh "$printed" &
watcher_pid=$!
(cd "$home" && exec "$KORV_WINE" "$home/korvprint.exe") &
service_pid=$!

cat <<MSG
run.sh: korvprint is running under Wine (DISPLAY $DISPLAY).
  Drop job files into:   $home/WINPRINT
                         (write them under a name holding TMP, then rename)
  Printed jobs land in:  $printed/<printer>/  (PostScript also as .pdf)
  Printers:              $(lpstat -a | cut -d' ' -f1 | tr '\n' ' ')(default $(lpstat -d | sed 's/.*: //'))
  Stop:                  printf x > $home/WINPRINT/DISABLE   or Ctrl-C
MSG
status=0
wait "$service_pid" || status=$?
service_pid=
echo "run.sh: korvprint ended (exit code $status)"
