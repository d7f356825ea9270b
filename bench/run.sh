#!/usr/bin/env bash
# Measures Fontprobe against its floors in the private rig (Wine, Xvfb, CUPS),
# with 4 and with 200 printers: start time and peak memory against a minimal
# window program that lists the printers; click-to-captured on the last printer
# of the list against a floor press (a bare window under the same Wine that
# sends the same bytes to the same queue with the fewest winspool calls, the
# name known in advance), medians of 60 presses each, taken in pairs, with the
# median of the pairs' differences; `lp -o raw` with the same bytes for information;
# and the size of Fontprobe.exe. Prints each figure and its ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
build_preset mingw --target Fontprobe bench_floor bench_floor_press bench_startup >/dev/null

build=$PWD/build/mingw
state=$(mktemp /tmp/fontprobe-bench.XXXXXX)
page=$(mktemp)
trap 'scripts/rig/rig.sh stop "$state"; rm -f "$page"' EXIT
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
median_ms() { sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] / 1e6 }'; }

# The rig's printers: a default one and the rest, named so that they sort after it.
queues() {
  echo '*capture_a'
  for i in $(seq 2 "$1"); do printf 'queue_%03d\n' "$i"; done
}

echo "Machine: $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo), $(wine --version 2>/dev/null), $(grep PRETTY_NAME /etc/os-release | cut -d'"' -f2)"
declare -A click
for size in 4 200; do
  mapfile -t names < <(queues "$size")
  scripts/rig/rig.sh start "$state" "${names[@]}"
  jobs=$(cat "$state")/jobs
  figures=$(FONTPROBE_EXE=$build/Fontprobe.exe FONTPROBE_FLOOR_EXE=$build/bench/bench_floor.exe \
    FONTPROBE_FLOOR_PRESS_EXE=$build/bench/bench_floor_press.exe \
    scripts/rig/rig.sh exec "$state" wine "$build/bench/bench_startup.exe" | tr -d '\r')
  figure() { awk -v name="$1" '$1 == name { print $2 }' <<<"$figures"; }

  # The same page, submitted straight to CUPS on the same queue as often.
  last=$(scripts/rig/rig.sh exec "$state" lpstat -e | sort | tail -1)
  cp "$(ls "$jobs"/*.data | head -1)" "$page"
  lp_times=()
  for _ in $(seq 20); do
    rm -f "$jobs"/*
    start=$(date +%s%N)
    CUPS_SERVER=$(cat "$state")/cups.sock lp -d "$last" -o raw "$page" >/dev/null
    until compgen -G "$jobs/*.time" >/dev/null; do sleep 0.001; done
    lp_times+=($(($(cat "$jobs"/*.time) - start)))
  done
  lp_ms=$(printf '%s\n' "${lp_times[@]}" | median_ms)
  scripts/rig/rig.sh stop "$state"

  click[$size]=$(figure fontprobe_click_to_captured_ms)
  cat <<REPORT
$size printers:
  Start to window shown: Fontprobe $(figure fontprobe_start_ms) ms, floor $(figure floor_start_ms) ms, ratio $(ratio "$(figure fontprobe_start_ms)" "$(figure floor_start_ms)") (target 1.15)
  Peak memory:           Fontprobe $(figure fontprobe_peak_kb) KB, floor $(figure floor_peak_kb) KB, ratio $(ratio "$(figure fontprobe_peak_kb)" "$(figure floor_peak_kb)") (target 1.05)
  Click to captured:     Fontprobe ${click[$size]} ms, floor press $(figure floor_click_to_captured_ms) ms, ratio $(ratio "${click[$size]}" "$(figure floor_click_to_captured_ms)") (target 1.1)
                         (a press over the floor press's, paired: $(figure click_over_floor_press_ms) ms)
                         (lp -o raw, another road without Wine: $lp_ms ms)
REPORT
done
echo "Fontprobe.exe: $(($(stat -c %s "$build/Fontprobe.exe") / 1024)) KB (target 350 KB)"
