#!/usr/bin/env bash
# Sets up the CUPS side of the rig (as root; idempotent): starts cupsd when it is not running,
# installs the capture backend and the capture queues.    scripts/rig/cups.sh
#
# Queues (all raw, so the bytes that reach them are the bytes the backend stores):
#   KorvCapture1  default printer   (10+ characters: the service keeps such a name)
#   KorvCapture2                    (10+ characters)
#   KorvShort                       (fewer than 10: the service replaces such a name)
#   KorvReject1                     (failure tests reject and accept it; made once)
# Every job lands in $KORV_CAPTURE_SPOOL/<job user>/<queue>/: a run sets CUPS_USER to a name of
# its own and reads its jobs from its own folder, so runs sharing the machine keep apart.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/queues.sh"

if [ "$(id -u)" -ne 0 ]; then
  echo "cups.sh: must run as root (it installs a CUPS backend and adds printers)" >&2
  exit 1
fi

backend=/usr/lib/cups/backend/capture
if ! cmp -s "$here/capture-backend" "$backend" 2>/dev/null; then
  install -m 0700 -o root -g root "$here/capture-backend" "$backend.new"
  mv -f "$backend.new" "$backend"
fi
mkdir -p "$KORV_CAPTURE_SPOOL"

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

# Queues that are already right are left alone: another run may be printing on them.
for q in "${KORV_QUEUES[@]}"; do
  if [ "$(lpstat -v "$q" 2>/dev/null)" != "device for $q: capture:$KORV_CAPTURE_SPOOL" ]; then
    # lpadmin warns that raw queues are deprecated; they still work.
    lpadmin -p "$q" -E -v "capture:$KORV_CAPTURE_SPOOL" -m raw \
      -o printer-error-policy=abort-job 2>/dev/null
  fi
  lpstat -p "$q" 2>/dev/null | grep -q enabled || cupsenable "$q"
  lpstat -a "$q" 2>/dev/null | grep -q 'accepting requests' || cupsaccept "$q"
done
if ! lpstat -v "$KORV_REJECT_QUEUE" >/dev/null 2>&1; then
  lpadmin -p "$KORV_REJECT_QUEUE" -E -v "capture:$KORV_CAPTURE_SPOOL" -m raw \
    -o printer-error-policy=abort-job 2>/dev/null
fi
if [ "$(lpstat -d 2>/dev/null)" != "system default destination: $KORV_DEFAULT_QUEUE" ]; then
  lpadmin -d "$KORV_DEFAULT_QUEUE"
fi
