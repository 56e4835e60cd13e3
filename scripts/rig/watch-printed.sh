#!/usr/bin/env bash
# Watches the capture folders and puts a PDF beside every captured PostScript job, so that a
# person can open what was printed.    scripts/rig/watch-printed.sh CAPTURE_ROOT
set -uo pipefail
root=${1:?usage: watch-printed.sh CAPTURE_ROOT}
declare -A seen=()
while :; do
  for job in "$root"/*/*.job; do
    [ -f "$job" ] && [ -z "${seen[$job]:-}" ] || continue
    seen[$job]=1
    pdf=${job%.job}.pdf
    # Raw jobs (not PostScript) stay as they are.
    if [ ! -e "$pdf" ] && [ "$(head -c 2 "$job")" = '%!' ]; then
      ps2pdf "$job" "$pdf.part" 2>/dev/null && mv -f "$pdf.part" "$pdf"
      echo "printed: $pdf"
    fi
  done
  sleep 1
done
