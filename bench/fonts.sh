#!/usr/bin/env bash
# Times `fontprobe fonts --language postscript` against Ghostscript on a
# loopback port (tests/cli/ps_printer.py, with fonts-ocr-b's OCR-B resident)
# against a bare socat sending the same query bytes and reading the answer
# until the printer closes, medians of twenty-five runs each, alternating.
# Fontprobe's own cost is the ratio; Ghostscript's start and run are in both.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_installed "${bench_needs[@]}"
build_preset native --target fontprobe >/dev/null

fontprobe=$PWD/build/native/fontprobe
work=$(mktemp -d /tmp/fontprobe-fonts-bench.XXXXXX)
printer_pid=""
trap '[ -n "$printer_pid" ] && kill "$printer_pid"; rm -rf "$work"' EXIT

/usr/bin/python3 tests/cli/ps_printer.py --ocr-b >"$work/port" &
printer_pid=$!
until [ -s "$work/port" ]; do sleep 0.05; done
uri=socket://127.0.0.1:$(cat "$work/port")

# The query's bytes, as fontprobe sends them: caught by a listener that
# answers nothing, so that fontprobe gives up after its second.
capture_port=$((20000 + RANDOM % 30000))
socat -u "TCP-LISTEN:$capture_port,bind=127.0.0.1,reuseaddr" "OPEN:$work/query,creat,trunc" &
capture_pid=$!
sleep 0.2
"$fontprobe" fonts --uri "socket://127.0.0.1:$capture_port" --language postscript --timeout 1 \
  >/dev/null 2>&1 || true
wait "$capture_pid"
[ -s "$work/query" ] || { echo "the query was not caught" >&2; exit 1; }

now() { date +%s%N; }
median_ms() { sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] / 1e6 }'; }

fontprobe_runs=() socat_runs=()
for _ in $(seq 25); do
  start=$(now)
  "$fontprobe" fonts --uri "$uri" --language postscript >/dev/null
  fontprobe_runs+=($(($(now) - start)))
  start=$(now)
  socat -t 30 - "TCP:127.0.0.1:$(cat "$work/port")" <"$work/query" >"$work/answer"
  socat_runs+=($(($(now) - start)))
done
grep -q '^FONT OCRB$' "$work/answer" || { echo "socat's run got no font list" >&2; exit 1; }

fp=$(printf '%s\n' "${fontprobe_runs[@]}" | median_ms)
bare=$(printf '%s\n' "${socat_runs[@]}" | median_ms)
cat <<REPORT
Machine: $(nproc) cores, $(grep PRETTY_NAME /etc/os-release | cut -d'"' -f2), $(gs --version | sed 's/^/Ghostscript /')
Query $(stat -c %s "$work/query") bytes, answer $(stat -c %s "$work/answer") bytes ($(grep -c '^FONT ' "$work/answer") fonts)
fontprobe fonts $fp ms, socat with the same bytes $bare ms: $(awk -v a="$fp" -v b="$bare" 'BEGIN { printf "%.2f", a / b }') times as long (goal: at most 1.1)
REPORT
