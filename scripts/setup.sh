#!/usr/bin/env bash
# Installs what building, testing and running Fontprobe needs on Debian or Ubuntu,
# where it is missing. Sourced by test.sh and run.sh.
set -euo pipefail

fontprobe_packages=(
  cmake g++ googletest libgtest-dev clang-format
  g++-mingw-w64-x86-64-posix
  wine64 fonts-wine
  xvfb xauth
  cups-daemon cups-client
)

install_missing_packages() {
  local missing=()
  for package in "${fontprobe_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# Configures and builds one CMake preset; in CI every warning is an error.
build_preset() {
  local preset=$1 werror=OFF
  [ "${CI:-}" = true ] && werror=ON
  cmake --preset "$preset" -DFONTPROBE_WERROR="$werror" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
}

install_missing_packages
