#!/usr/bin/env bash
# Installs what is missing, builds Fontprobe and starts it under Wine.
#
# With printers in the machine's own CUPS, Fontprobe lists and prints to them.
# Without any, it runs beside a private spooler with one capture printer as its
# default, and once its window has closed the jobs it sent are shown here.
#
# FONTPROBE_PRESS=epson or pcl makes a scripted run: the button is pressed, the
# message answered and the window closed without anyone at the keyboard.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

if [ -z "${DISPLAY:-}" ]; then
  echo "Fontprobe needs a display: start scripts/run.sh from a desktop session, or under xvfb-run (xvfb-run -a scripts/run.sh)." >&2
  exit 1
fi
case ${FONTPROBE_PRESS:-} in
  "" | epson | pcl) ;;
  *) echo "FONTPROBE_PRESS is epson or pcl, not '$FONTPROBE_PRESS'." >&2 && exit 1 ;;
esac

build_preset mingw >/dev/null
exe=build/mingw/Fontprobe.exe
echo "Built $exe ($(stat -c %s "$exe") bytes)."

# Starts Fontprobe, or with FONTPROBE_PRESS lets the scripted driver run it.
start_fontprobe() {
  if [ -n "${FONTPROBE_PRESS:-}" ]; then
    FONTPROBE_EXE=$PWD/$exe "$@" build/mingw/tests/scripted_run.exe "$FONTPROBE_PRESS"
  else
    "$@" "$exe"
  fi
}

if lpstat -e 2>/dev/null | grep -q .; then
  echo "Starting Fontprobe with this machine's printers: $(lpstat -e | paste -sd ' ')"
  WINEDEBUG=-all start_fontprobe wine
  exit 0
fi

state=$(mktemp /tmp/fontprobe-run.XXXXXX)
trap 'scripts/rig/rig.sh stop "$state"' EXIT
echo "This machine has no printer: starting a private spooler with the capture printer"
echo "'Fontprobe_Capture' as the default (this takes a few seconds the first time)."
scripts/rig/rig.sh start "$state" --use-display '*Fontprobe_Capture'
[ -n "${FONTPROBE_PRESS:-}" ] ||
  echo "Press a test button, then close the window to see what the printer received."
start_fontprobe scripts/rig/rig.sh exec "$state" wine || true
scripts/rig/show-jobs.sh "$(cat "$state")/jobs"
