#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs every test: the portable
# core's unit tests natively, then the Windows-side tests under Wine against a
# private CUPS spooler that the tests start and stop themselves.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

build_preset native
ctest --preset native

build_preset mingw
ctest --preset mingw

# The release files: the same when made twice, and the zip's program the tested one.
bash tests/scripts/release_test.sh
