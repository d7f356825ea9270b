#!/usr/bin/env bash
# Times `fontprobe read` on a 300-dpi A4 scan of a printed test page against
# decoding the same file alone with netpbm's pngtopnm (and a phone photo's
# JPEG against libjpeg's djpeg), medians of eleven runs each, alternating; then
# shows where the reading's time goes, by instructions counted with callgrind.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_installed "${bench_needs[@]}"
build_preset native --target fontprobe >/dev/null

fontprobe=$PWD/build/native/fontprobe
work=$(mktemp -d /tmp/fontprobe-read-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# A scan as a flatbed makes it (tilted a little, soft, with sensor noise) and
# a photo as a phone makes it, of a page printed with OCR-B for ESCk5.
/usr/bin/python3 - "$fontprobe" "$work" <<'EOF'
import sys
sys.path.insert(0, "tests/reading")
import scans
fontprobe, work = sys.argv[1], sys.argv[2]
printer = scans.Printer({b"k~": "courier", b"k\x05": "ocrb"})
sheet = printer.print_page(scans.test_page(fontprobe, "epson"), 300)
scan = scans.Capture(300, tilt=1.5, blur=0.7, noise=6, variant=11).take(sheet, 300)
scans.save([scan], work + "/scan.png", "png", dpi=300)
photo = scans.Capture(330, tilt=3, photo=True, perspective=0.03, light=0.6, blur=0.8, noise=5,
                      variant=12).take(sheet, 300)
scans.save([photo], work + "/photo.jpeg", "jpeg", quality=85, mode="RGB")
EOF

now() { date +%s%N; }
median_ms() { sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] / 1e6 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# Prints the medians of reading FILE and of decoding it with DECODER, and their ratio.
measure() {
  local file=$1 decoder=$2 read=() decode=()
  for _ in $(seq 11); do
    local start
    start=$(now)
    # Any verdict will do (6 no OCR-B, 9 undecided); 7, nothing read, will not.
    "$fontprobe" read "$file" >/dev/null || [ $? -ne 7 ]
    read+=($(($(now) - start)))
    start=$(now)
    "$decoder" "$file" >/dev/null
    decode+=($(($(now) - start)))
  done
  local r d
  r=$(printf '%s\n' "${read[@]}" | median_ms)
  d=$(printf '%s\n' "${decode[@]}" | median_ms)
  echo "$(basename "$file"): fontprobe read ${r} ms, $decoder alone ${d} ms: $(ratio "$r" "$d") times decoding (goal 3)"
}

identify_size() { /usr/bin/python3 -c "from PIL import Image; i = Image.open('$1'); print('%d x %d' % i.size)"; }
echo "Machine: $(nproc) cores, $(grep PRETTY_NAME /etc/os-release | cut -d'"' -f2)"
echo "scan.png: $(identify_size "$work/scan.png"), $(stat -c %s "$work/scan.png") bytes; photo.jpeg: $(identify_size "$work/photo.jpeg"), $(stat -c %s "$work/photo.jpeg") bytes"
measure "$work/scan.png" pngtopnm
measure "$work/photo.jpeg" djpeg
/usr/bin/time -f "scan.png: peak memory %M KB" "$fontprobe" read "$work/scan.png" >/dev/null || [ $? -ne 7 ]

# Where the time goes: the share of instructions under each stage of reading.
valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" \
  "$fontprobe" read "$work/scan.png" >/dev/null 2>&1 || true
echo "Where reading scan.png spends its instructions (callgrind, inclusive):"
callgrind_annotate --inclusive=yes "$work/callgrind.out" 2>/dev/null |
  sed -nE 's/^ *[0-9,]+ \(([0-9.]+%)\) +[^:]*:(fontprobe::)?(\(anonymous namespace\)::)?([A-Za-z:_]+)\(.*/\1 \4/p' |
  grep -E " (ReadTestPage|PngPicture::NextPage|MakeInkMap|Prepare|FindPage|FindMarks|CandidateFrames|FindLines|LineImage::LineImage|MeasureLine|CutCharacters|Align|MatchShape|Likeness|Judge)$" |
  head -20
