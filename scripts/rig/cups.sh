#!/usr/bin/env bash
# Sets up the CUPS side of the rig (as root; idempotent): starts cupsd when it is not running,
# installs the capture backend and points the capture queues at CAPTURE_ROOT/<queue>/.
#
#   scripts/rig/cups.sh CAPTURE_ROOT
#
# Queues (all raw, so the bytes that reach them are the bytes the backend stores):
#   KorvCapture1  default printer   (10+ characters: the service keeps such a name)
#   KorvCapture2                    (10+ characters)
#   KorvShort                       (fewer than 10: the service replaces such a name)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/queues.sh"

root=${1:?usage: cups.sh CAPTURE_ROOT}
mkdir -p "$root"
root=$(cd "$root" && pwd)

if [ "$(id -u)" -ne 0 ]; then
  echo "cups.sh: must run as root (it installs a CUPS backend and adds printers)" >&2
  exit 1
fi

backend=/usr/lib/cups/backend/capture
if ! cmp -s "$here/capture-backend" "$backend" 2>/dev/null; then
  install -m 0700 -o root -g root "$here/capture-backend" "$backend"
fi

scheduler_running() { lpstat -r 2>/dev/null | grep -q 'is running'; }
if ! scheduler_running; then
  mkdir -p /run/cups /var/spool/cups/tmp /var/log/cups
  # No service manager here (CI): run the scheduler as a plain daemon.
  cupsd
  for _ in $(seq 1 100); do
    scheduler_running && break
    sleep 0.1
  done
  scheduler_running || { echo "cups.sh: cupsd did not come up" >&2; exit 1; }
fi

for q in "${KORV_QUEUES[@]}"; do
  mkdir -p "$root/$q"
  # lpadmin warns that raw queues are deprecated; they still work.
  lpadmin -p "$q" -E -v "capture:$root/$q" -m raw -o printer-error-policy=abort-job 2>/dev/null
  cupsenable "$q"
  cupsaccept "$q"
done
lpadmin -d "$KORV_DEFAULT_QUEUE"
