#!/usr/bin/env bash
# Measures Fontprobe against its floors in the private rig (Wine, Xvfb, CUPS):
# start time and peak memory against a minimal window program that lists the
# printers; click-to-captured against `lp -o raw` with the same bytes and queue;
# and the size of Fontprobe.exe. Prints each figure and its ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
build_preset mingw >/dev/null

build=$PWD/build/mingw
state=$(mktemp /tmp/fontprobe-bench.XXXXXX)
trap 'scripts/rig/rig.sh stop "$state"' EXIT
scripts/rig/rig.sh start "$state" '*capture_a'
jobs=$(cat "$state")/jobs

figures=$(FONTPROBE_EXE=$build/Fontprobe.exe FONTPROBE_FLOOR_EXE=$build/bench/bench_floor.exe \
  scripts/rig/rig.sh exec "$state" wine "$build/bench/bench_startup.exe" | tr -d '\r')
figure() { awk -v name="$1" '$1 == name { print $2 }' <<<"$figures"; }

# The same page, submitted straight to CUPS the same number of times.
page=$(mktemp)
cp "$(ls "$jobs"/*.data | head -1)" "$page"
lp_times=()
for _ in $(seq 20); do
  rm -f "$jobs"/*
  start=$(date +%s%N)
  scripts/rig/rig.sh exec "$state" lp -d capture_a -o raw "$page" >/dev/null
  until compgen -G "$jobs/*.data" >/dev/null; do sleep 0.001; done
  lp_times+=($((($(date +%s%N) - start) / 1000)))
done
rm -f "$page"
lp_ms=$(printf '%s\n' "${lp_times[@]}" | sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", v[int(NR / 2) + 1] / 1000 }')

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
size=$(stat -c %s "$build/Fontprobe.exe")
cat <<EOF2
Machine: $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo), $(wine --version 2>/dev/null), $(lsb_release -ds 2>/dev/null || grep PRETTY_NAME /etc/os-release | cut -d'"' -f2)
Start to window shown: Fontprobe $(figure fontprobe_start_ms) ms, floor $(figure floor_start_ms) ms, ratio $(ratio "$(figure fontprobe_start_ms)" "$(figure floor_start_ms)") (target 1.15)
Peak memory:           Fontprobe $(figure fontprobe_peak_kb) KB, floor $(figure floor_peak_kb) KB, ratio $(ratio "$(figure fontprobe_peak_kb)" "$(figure floor_peak_kb)") (target 1.15)
Click to captured:     Fontprobe $(figure fontprobe_click_to_captured_ms) ms, lp -o raw $lp_ms ms, ratio $(ratio "$(figure fontprobe_click_to_captured_ms)" "$lp_ms") (target 1.5)
Fontprobe.exe:         $((size / 1024)) KB (target under 400 KB)
EOF2
