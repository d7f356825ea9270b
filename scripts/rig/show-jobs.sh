#!/usr/bin/env bash
# Lists the jobs a rig captured, each with its queue, title, size and a readable
# dump of its bytes: control bytes in angle brackets, ESC as <ESC>, a new line
# after each <LF>.
set -euo pipefail
jobs=$1

shopt -s nullglob
files=("$jobs"/*.data)
if [ ${#files[@]} -eq 0 ]; then
  echo "No job was captured."
  exit 0
fi
for data in $(printf '%s\n' "${files[@]}" | sort -V); do
  base=${data%.data}
  printf '\nJob %s on %s: "%s", %s bytes\n' "$(basename "$base")" "$(cat "$base.queue")" \
    "$(cat "$base.title")" "$(stat -c %s "$data")"
  perl -0777 -pe 's/([\x00-\x1f\x7f])/
    $1 eq "\e" ? "<ESC>" : $1 eq "\r" ? "<CR>" : $1 eq "\n" ? "<LF>\n" :
    $1 eq "\f" ? "<FF>" : sprintf("<%02X>", ord $1)/gex' "$data"
  echo
done
