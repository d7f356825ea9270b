#!/bin/sh
# CUPS backend that keeps each job's raw bytes, title and queue name instead of
# printing them. Installed by rig.sh, which fills in the jobs folder.
jobs='@JOBS@'

if [ $# -eq 0 ]; then
  echo 'direct capture "Unknown" "Fontprobe capture printer"'
  exit 0
fi

# The rig's failing queues: the job ends with the backend's failure, in plain
# words or in words that hold terminal escape sequences.
case ${DEVICE_URI:-} in
  capture:/fail)
    echo "ERROR: the rig's failing printer jammed" >&2
    exit 1
    ;;
  capture:/fail-with-escapes)
    printf 'ERROR: jammed \033]0;PWNED\007\033[2J\033[31mred\n' >&2
    exit 1
    ;;
esac

umask 022
job=$1
title=$3
tmp="$jobs/.$job.part"
if [ $# -ge 6 ]; then
  cat "$6" >"$tmp" || exit 1
else
  cat >"$tmp" || exit 1
fi
printf '%s' "$title" >"$jobs/$job.title"
printf '%s' "$PRINTER" >"$jobs/$job.queue"
# The data file appears last and whole, so a reader that sees it sees a finished job.
mv "$tmp" "$jobs/$job.data"
# When it arrived, for the benchmarks.
date +%s%N >"$jobs/$job.time"
exit 0
