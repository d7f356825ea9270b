#!/usr/bin/env bash
# Installs what is missing, builds the presets and runs every test: the portable
# core's and the command's tests natively, again under sanitizers with the fuzz
# targets, then the Windows-side tests under Wine against a
# private CUPS spooler that the tests start and stop themselves.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

# Tests that do not share a rig run side by side, one a core.
build_preset native
ctest --preset native -j"$(nproc)"

build_preset mingw

# The Windows-side tests mostly wait, on Wine and on the spooler: the sanitizer
# build and the release test (which builds the release files twice) run beside
# them at the lowest priority, so that they take the time the tests leave idle
# and not the tests' own. Their output follows once they end.
beside_the_windows_tests() {
  renice -n 19 "$BASHPID" >/dev/null
  build_preset sanitize
  # The release files: the same when made twice, and the zip's program the tested one.
  bash tests/scripts/release_test.sh
}
beside_log=$(mktemp)
set -m # a process group of its own, so that all of it stops with this script
beside_the_windows_tests >"$beside_log" 2>&1 &
beside=$!
set +m
trap 'kill -- -"$beside" 2>/dev/null || true; rm -f "$beside_log"' EXIT
windows_tests=0
ctest --preset mingw || windows_tests=$?
beside_status=0
wait "$beside" || beside_status=$?
cat "$beside_log"
[ "$windows_tests" = 0 ] || exit "$windows_tests"
[ "$beside_status" = 0 ] || { echo "test.sh: the sanitizer build or the release test failed (above)" >&2; exit "$beside_status"; }

# The same native tests under AddressSanitizer and UndefinedBehaviorSanitizer,
# and a few seconds of each fuzz target.
ctest --preset sanitize -j"$(nproc)"
