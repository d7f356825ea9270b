#!/usr/bin/env bash
# Runs one of the reader's evaluations by hand (read_sweep.py, judge_margins.py
# or thin_print.py) with what it needs beyond the tests: the fonts of every
# lookalike, held-out ones included, and the command built. The script's
# arguments pass through unchanged:
#   bench/reader.sh read_sweep.py build/native/fontprobe 120 1
set -euo pipefail
cd "$(dirname "$0")/.."
case ${1:-} in
  read_sweep.py | judge_margins.py | thin_print.py) ;;
  *)
    echo "usage: bench/reader.sh read_sweep.py|judge_margins.py|thin_print.py ARGUMENTS..." >&2
    exit 2
    ;;
esac
source scripts/setup.sh
ensure_installed "${lookalike_needs[@]}"
build_preset native --target fontprobe >/dev/null
exec /usr/bin/python3 "bench/$1" "${@:2}"
