#!/usr/bin/env bash
# Installs what is missing, builds Fontprobe and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

build_preset mingw
echo "Built the Windows-side code in build/mingw; the program window is not there yet."
