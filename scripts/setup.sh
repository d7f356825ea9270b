#!/usr/bin/env bash
# Installs what building, testing and running Fontprobe needs on Debian or Ubuntu,
# where it is missing, then checks that every needed command is really there.
# Sourced by test.sh, run.sh and bench/run.sh.
set -euo pipefail

# The daemons and admin commands of CUPS live in sbin, which a user's PATH may lack.
export PATH="$PATH:/usr/sbin:/sbin"

# What Fontprobe uses, each with the Debian package that holds it: a command by
# its name, anything else by a file it needs (a pattern where the path names a
# version).
fontprobe_needs=(
  command:cmake:cmake
  command:make:make
  command:g++:g++
  command:x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix
  command:x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64
  command:wine:wine
  command:wineboot:wine
  command:wineserver:wine
  command:Xvfb:xvfb
  command:xvfb-run:xvfb
  command:xauth:xauth
  command:cupsd:cups-daemon
  command:lpadmin:cups-client
  command:lpstat:cups-client
  command:lp:cups-client
  command:cupsreject:cups-client
  command:cupsdisable:cups-client
  command:cancel:cups-client
  command:ippeveprinter:cups-ipp-utils
  command:ipptool:cups-ipp-utils
  command:dbus-daemon:dbus-daemon
  file:/usr/lib/cups/backend/ipp:cups-daemon
  command:perl:perl-base
  file:/usr/src/googletest/googletest/CMakeLists.txt:googletest
  file:/usr/include/gtest/gtest.h:libgtest-dev
  file:/usr/include/cups/cups.h:libcups2-dev
  file:/usr/include/nlohmann/json.hpp:nlohmann-json3-dev
  command:gs:ghostscript
  file:/usr/include/png.h:libpng-dev
  file:/usr/include/jpeglib.h:libjpeg-dev
  file:/usr/include/*/tiffio.h:libtiff-dev
  command:pdftoppm:poppler-utils
  command:pdfinfo:poppler-utils
  file:/usr/bin/python3:python3
  file:/usr/lib/python3/dist-packages/PIL/Image.py:python3-pil
  file:/usr/lib/python3/dist-packages/numpy/__init__.py:python3-numpy
  file:/usr/share/fonts/opentype/ocr-b/OCRB.otf:fonts-ocr-b
  file:/usr/share/fonts/truetype/ocr-a/OCRA.ttf:fonts-ocr-a
  file:/usr/share/fonts/opentype/urw-base35/NimbusMonoPS-Regular.otf:fonts-urw-base35
  file:/usr/share/fonts/truetype/freefont/FreeMono.ttf:fonts-freefont-ttf
  file:/usr/share/fonts/truetype/inconsolata/Inconsolata.otf:fonts-inconsolata
  file:/usr/share/wine/fonts/tahoma.ttf:fonts-wine
  # flat-topped lookalikes of OCR-B's 3 in the scan table (scripts/lookalikes.py)
  file:/usr/share/fonts/truetype/jetbrains-mono/JetBrainsMono-Regular.ttf:fonts-jetbrains-mono
  file:/usr/share/fonts/opentype/b612/B612Mono-Regular.otf:fonts-b612
  file:/usr/share/fonts/truetype/paratype/PTM55F.ttf:fonts-paratype
  file:/usr/share/fonts/truetype/manrope/Manrope-Regular.ttf:fonts-manrope
  file:/usr/share/fonts/truetype/quicksand/Quicksand-Regular.ttf:fonts-quicksand
  file:/usr/share/fonts/truetype/hack/Hack-Regular.ttf:fonts-hack
  command:clang++:clang
  file:/usr/lib/llvm-*/lib/clang/*/lib/*/libclang_rt.fuzzer*.a:libclang-rt-dev
)

# What making the release files needs beyond that (scripts/release.sh, and the
# test that makes them twice).
release_needs=(
  command:git:git
  command:zip:zip
  command:unzip:unzip
  command:dpkg-deb:dpkg
  command:dpkg-shlibdeps:dpkg-dev
  command:lintian:lintian
)

# What the benchmarks need beyond that (bench/read.sh, bench/fonts.sh).
bench_needs=(
  command:socat:socat
  command:pngtopnm:netpbm
  command:djpeg:libjpeg-turbo-progs
  command:valgrind:valgrind
  command:callgrind_annotate:valgrind
)

# The other lookalikes of scripts/lookalikes.py, for the evaluation
# (bench/reader.sh) and for making the reference data.
lookalike_needs=(
  file:/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf:fonts-dejavu-core
  file:/usr/share/fonts/opentype/league-mono/LeagueMono-Regular.otf:fonts-league-mono
  file:/usr/share/fonts/truetype/3270/3270-Regular.ttf:fonts-3270
  file:/usr/share/fonts/truetype/monoid/Monoid-Regular.ttf:fonts-monoid
  file:/usr/share/fonts/truetype/monofur/monof55.ttf:fonts-monofur
  file:/usr/share/fonts/truetype/adf/MekanusADFStd-Regular.otf:fonts-adf-mekanus
  file:/usr/share/fonts/opentype/spleen/spleen-16x32.otf:fonts-spleen
  file:/usr/share/fonts/fonts-go/Go-Mono.ttf:fonts-go
  file:/usr/share/fonts/truetype/firacode/FiraCode-Regular.ttf:fonts-firacode
  file:/usr/share/fonts/truetype/opendin/OSP-DIN.ttf:fonts-opendin
  file:/usr/share/fonts/truetype/noto/NotoSansMono-Regular.ttf:fonts-noto-mono
  file:/usr/share/fonts/opentype/inter/Inter-Regular.otf:fonts-inter
  file:/usr/share/fonts/truetype/mononoki/mononoki-Regular.ttf:fonts-mononoki
  file:/usr/share/fonts/opentype/yanone-kaffeesatz/YanoneKaffeesatz-Regular.otf:fonts-yanone-kaffeesatz
  file:/usr/share/fonts/truetype/beteckna/Beteckna.ttf:fonts-beteckna
  file:/usr/share/fonts/truetype/agave/agave-r-autohinted.ttf:fonts-agave
)

# True when one need ("command:NAME:PACKAGE" or "file:PATH:PACKAGE") is met.
need_is_met() {
  local kind=${1%%:*} rest=${1#*:}
  local thing=${rest%:*}
  case $kind in
    command) command -v "$thing" >/dev/null 2>&1 ;;
    file) compgen -G "$thing" >/dev/null ;;
  esac
}

# Installs the packages of the needs that are not met, then checks each need
# again; stops with one line naming the first that is still not met.
ensure_installed() {
  local need missing=()
  for need in "$@"; do
    need_is_met "$need" || missing+=("${need##*:}")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    mapfile -t missing < <(printf '%s\n' "${missing[@]}" | sort -u)
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    { $sudo apt-get update -qq &&
      DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"; } >/dev/null || true
  fi
  for need in "$@"; do
    if ! need_is_met "$need"; then
      local rest=${need#*:}
      echo "Fontprobe needs '${rest%:*}' (Debian package ${need##*:}); apt-get could not install it" >&2
      return 1
    fi
  done
}

# Configures and builds one CMake preset (all of it, or the targets given as
# further arguments, --target NAME); in CI every warning is an error.
build_preset() {
  local preset=$1 werror=OFF
  [ "${CI:-}" = true ] && werror=ON
  cmake --preset "$preset" -DFONTPROBE_WERROR="$werror" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)" "${@:2}"
}

ensure_installed "${fontprobe_needs[@]}"
