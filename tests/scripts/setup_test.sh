#!/usr/bin/env bash
# The set-up installs the package of a missing command, and stops with one line
# naming the command when its package does not bring it.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=/dev/null
source "$root/scripts/setup.sh"
set +e

stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
# An apt-get whose package "fontprobe-test-tools" brings the command
# fontprobe-test-tool, and which installs nothing else.
cat >"$stubs/apt-get" <<STUB
#!/bin/sh
for arg; do
  [ "\$arg" = fontprobe-test-tools ] && printf '#!/bin/sh\n' >"$stubs/fontprobe-test-tool" &&
    chmod +x "$stubs/fontprobe-test-tool"
done
exit 0
STUB
printf '#!/bin/sh\nexec "$@"\n' >"$stubs/sudo"
chmod +x "$stubs/apt-get" "$stubs/sudo"
PATH="$stubs:$PATH"

failed=0
expect() {
  local what=$1 want_status=$2 want_error=$3 need=$4 status error
  error=$(ensure_installed "$need" 2>&1 >/dev/null)
  status=$?
  if [ "$status" != "$want_status" ] || [ "$error" != "$want_error" ]; then
    echo "FAIL: $what: status $status, error '$error'"
    failed=1
  fi
}

expect "a package that brings the command" 0 "" command:fontprobe-test-tool:fontprobe-test-tools
expect "a package that does not" 1 \
  "Fontprobe needs 'fontprobe-test-absent' (Debian package fontprobe-test-broken); apt-get could not install it" \
  command:fontprobe-test-absent:fontprobe-test-broken
expect "a missing file" 1 \
  "Fontprobe needs '/nonexistent/fontprobe.h' (Debian package fontprobe-test-dev); apt-get could not install it" \
  file:/nonexistent/fontprobe.h:fontprobe-test-dev
exit $failed
