#!/usr/bin/env bash
# Installs what is missing, builds Fontprobe and starts it under Wine.
#
# With printers in the machine's own CUPS, Fontprobe lists and prints to them.
# Without any, it runs beside a private spooler with one capture printer as its
# default, and once its window has closed the jobs it sent are shown here.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

build_preset mingw >/dev/null
exe=build/mingw/Fontprobe.exe
echo "Built $exe ($(stat -c %s "$exe") bytes)."

if [ -n "${DISPLAY:-}" ] && lpstat -e 2>/dev/null | grep -q .; then
  echo "Starting Fontprobe with this machine's printers: $(lpstat -e | paste -sd ' ')"
  WINEDEBUG=-all wine "$exe"
  exit 0
fi

state=$(mktemp /tmp/fontprobe-run.XXXXXX)
trap 'scripts/rig/rig.sh stop "$state"' EXIT
echo "This machine has no printer: starting a private spooler with the capture printer"
echo "'Fontprobe_Capture' as the default (this takes a few seconds the first time)."
scripts/rig/rig.sh start "$state" --use-display '*Fontprobe_Capture'
[ -n "${DISPLAY:-}" ] ||
  echo "No display is set: Fontprobe runs on a virtual screen. Press Ctrl+C to stop it."
echo "Press a test button, then close the window to see what the printer received."
scripts/rig/rig.sh exec "$state" wine "$exe" || true
scripts/rig/show-jobs.sh "$(cat "$state")/jobs"
