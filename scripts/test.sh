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

# The same native tests under AddressSanitizer and UndefinedBehaviorSanitizer,
# and a few seconds of each fuzz target.
build_preset sanitize
ctest --preset sanitize -j"$(nproc)"

build_preset mingw
ctest --preset mingw

# The release files: the same when made twice, and the zip's program the tested one.
bash tests/scripts/release_test.sh
