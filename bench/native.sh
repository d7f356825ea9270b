#!/usr/bin/env bash
# Measures the native edition in a CUPS-only rig, twenty runs each, alternating:
# `fontprobe print --no-wait` from start to the job captured, against `lp -o raw`
# submitting the same bytes to the same queue; and how long `fontprobe print`
# takes to exit with "completed" after the job was captured; and
# `fontprobe print --uri` to an IPP printer of ippeveprinter's, from start to
# "completed", against ipptool (CUPS's own client) sending the same file with
# Print-Job and asking until it is completed. Prints medians.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
build_preset native >/dev/null

fontprobe=$PWD/build/native/fontprobe
state=$(mktemp /tmp/fontprobe-bench.XXXXXX)
page=$(mktemp)
trap 'scripts/rig/rig.sh stop "$state"; rm -f "$page"' EXIT
scripts/rig/rig.sh start "$state" --cups-only --ipp FP_Bench_IPP=application/vnd.hp-PCL '*FP_Bench'
# shellcheck source=/dev/null
source "$(cat "$state")/env"
jobs=$FONTPROBE_RIG_JOBS
printer_uri=$(cat "$(cat "$state")/ipp/FP_Bench_IPP.uri")
"$fontprobe" page pcl >"$page"

now() { date +%s%N; }
# The capture backend notes when the job arrived, in ns.
captured_at() {
  until compgen -G "$jobs/*.time" >/dev/null; do sleep 0.001; done
  cat "$jobs"/*.time
}
median_ms() { sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] / 1e6 }'; }

fontprobe_submit=() lp_submit=() follow=() fontprobe_ipp=() ipptool_ipp=()
for _ in $(seq 20); do
  rm -f "$jobs"/*
  start=$(now)
  "$fontprobe" print pcl --no-wait >/dev/null
  fontprobe_submit+=($(($(captured_at) - start)))

  rm -f "$jobs"/*
  start=$(now)
  lp -d FP_Bench -o raw "$page" >/dev/null
  lp_submit+=($(($(captured_at) - start)))

  rm -f "$jobs"/*
  "$fontprobe" print pcl >/dev/null
  done_at=$(now)
  follow+=($((done_at - $(captured_at))))

  start=$(now)
  "$fontprobe" print pcl --uri "$printer_uri" >/dev/null
  fontprobe_ipp+=($(($(now) - start)))
  start=$(now)
  ipptool -q -f "$page" "$printer_uri" bench/print-and-wait.test
  ipptool_ipp+=($(($(now) - start)))
done

fp_ms=$(printf '%s\n' "${fontprobe_submit[@]}" | median_ms)
lp_ms=$(printf '%s\n' "${lp_submit[@]}" | median_ms)
follow_ms=$(printf '%s\n' "${follow[@]}" | median_ms)
fp_ipp_ms=$(printf '%s\n' "${fontprobe_ipp[@]}" | median_ms)
ipptool_ms=$(printf '%s\n' "${ipptool_ipp[@]}" | median_ms)
cat <<REPORT
Machine: $(nproc) cores, $(grep PRETTY_NAME /etc/os-release | cut -d'"' -f2), CUPS $(cups-config --version 2>/dev/null || echo "?")
Submit to captured: fontprobe --no-wait $fp_ms ms, lp -o raw $lp_ms ms, ratio $(awk -v a="$fp_ms" -v b="$lp_ms" 'BEGIN { printf "%.2f", a / b }') (target 1.0)
Captured to "completed": $follow_ms ms (target 50 ms)
Start to "completed" on an IPP printer: fontprobe --uri $fp_ipp_ms ms, ipptool Print-Job $ipptool_ms ms, ratio $(awk -v a="$fp_ipp_ms" -v b="$ipptool_ms" 'BEGIN { printf "%.2f", a / b }') (target 1.0)
REPORT
