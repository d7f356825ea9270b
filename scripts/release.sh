#!/usr/bin/env bash
# Makes the release files of the committed tree in dist/: the Windows zip, the
# Debian package of the fontprobe command, the source tarball and SHA256SUMS.
#
# The files are the same, bit for bit, wherever and whenever they are made from
# one commit: every time in them is the commit's own (SOURCE_DATE_EPOCH), every
# owner is root, every listing is in a fixed order, and no path or host name of
# the machine that made them gets in.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_installed "${release_needs[@]}"

if ! git diff --quiet HEAD --; then
  echo "scripts/release.sh makes the files of a commit: commit or stash the changes first." >&2
  exit 1
fi
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C
umask 022

build_preset native --target fontprobe >/dev/null
build_preset mingw --target Fontprobe >/dev/null
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "build/$2/CMakeCache.txt"; }
version=$(cache_value CMAKE_PROJECT_VERSION native)
home_page=$(cache_value FONTPROBE_HOME_PAGE mingw)
maintainer="The Fontprobe authors <authors@fontprobe.example.com>"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf dist
mkdir dist

# Sets every file and folder below $1 to the commit's time.
stamp_tree() { find "$1" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +; }

make_windows_zip() {
  local folder=$work/windows exe_sha256
  mkdir "$folder"
  install -m 0755 build/mingw/Fontprobe.exe "$folder/Fontprobe.exe"
  exe_sha256=$(sha256sum build/mingw/Fontprobe.exe | cut -d' ' -f1)
  sed 's/$/\r/' LICENSE >"$folder/LICENSE.txt"
  sed -e "s/@VERSION@/$version/g" -e "s/@EXE_SHA256@/$exe_sha256/" -e 's/$/\r/' \
    packaging/README-windows.txt >"$folder/README.txt"
  chmod 0644 "$folder"/*.txt
  stamp_tree "$folder"
  # -X: no owners or extra time fields; the names in a fixed order.
  (cd "$folder" && zip -q -X -D "../$1" Fontprobe.exe LICENSE.txt README.txt)
  mv "$work/$1" dist/
}

# Debian's machine-readable copyright file, with the licence text of LICENSE.
write_debian_copyright() {
  {
    printf 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n'
    printf 'Upstream-Name: Fontprobe\nSource: %s\n\n' "$home_page"
    printf 'Files: *\nCopyright: %s\nLicense: Expat\n' "$(sed -n 's/^Copyright (c) //p' LICENSE)"
    sed -n '/^Permission/,$p' LICENSE | sed -e 's/^/ /' -e 's/^ $/ ./'
  } >"$1"
}

write_debian_changelog() {
  printf 'fontprobe (%s) unstable; urgency=medium\n\n  * Release %s.\n\n -- %s  %s\n' \
    "$1" "$version" "$maintainer" "$(date -u -R -d "@$SOURCE_DATE_EPOCH")" | gzip -9n >"$2"
}

make_debian_package() {
  local root=$work/deb doc=$work/deb/usr/share/doc/fontprobe deb_version=$version-1 depends
  install -D -m 0755 build/native/fontprobe "$root/usr/bin/fontprobe"
  strip --remove-section=.comment --remove-section=.note --strip-unneeded "$root/usr/bin/fontprobe"
  install -d -m 0755 "$root/usr/share/man/man1" "$doc" "$root/DEBIAN"
  gzip -9n <cli/fontprobe.1 >"$root/usr/share/man/man1/fontprobe.1.gz"
  write_debian_copyright "$doc/copyright"
  write_debian_changelog "$deb_version" "$doc/changelog.Debian.gz"
  chmod 0644 "$root/usr/share/man/man1/fontprobe.1.gz" "$doc"/*

  # The libraries the binary really links, with the versions their symbols need.
  mkdir -p "$work/shlibs/debian"
  printf 'Source: fontprobe\n\nPackage: fontprobe\nArchitecture: any\n' >"$work/shlibs/debian/control"
  depends=$(cd "$work/shlibs" && dpkg-shlibdeps -O "$root/usr/bin/fontprobe" |
    sed -n 's/^shlibs:Depends=//p')

  (cd "$root" && find usr -type f | sort | xargs md5sum) >"$root/DEBIAN/md5sums"
  cat >"$root/DEBIAN/control" <<CONTROL
Package: fontprobe
Version: $deb_version
Architecture: $architecture
Maintainer: $maintainer
Installed-Size: $(du -sk --apparent-size "$root/usr" | cut -f1)
Depends: $depends
Recommends: poppler-utils
Section: utils
Priority: optional
Homepage: $home_page
Description: can this printer print OCR-B from its own fonts?
 fontprobe sends a printer a fixed test page as one raw CUPS job, so that the
 printer itself reads its escape sequences, in the Epson FX / IBM Proprinter
 dialect or in PCL. The printed page names each escape sequence it tried and
 prints a line of the digit 3 under each one; in OCR-B the 3 has a flat top, so
 a flat-topped line shows which sequence selects the printer's own OCR-B font.
 .
 It lists the printers CUPS knows, and follows each job until the printer has
 really printed it, telling in its exit status how the job ended. It reads a
 scan or photo of the printed page (PNG, JPEG, TIFF; PDF with poppler-utils)
 and says which sequence printed OCR-B. It asks a PostScript or PCL printer
 on a raw port whether OCR-B is among its resident fonts.
CONTROL
  chmod 0644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"
  stamp_tree "$root"
  dpkg-deb --root-owner-group -Zxz --build "$root" "dist/$1" >/dev/null
}

make_source_tarball() {
  # The modes as committed, whatever umask git is configured with.
  git -c tar.umask=0022 archive --format=tar --prefix="fontprobe-$version/" HEAD | gzip -9n >"dist/$1"
}

zip_name=Fontprobe-$version-win64.zip
architecture=$(dpkg --print-architecture)
deb_name=fontprobe_${version}-1_$architecture.deb
tarball_name=fontprobe-$version.tar.gz
make_windows_zip "$zip_name"
make_debian_package "$deb_name"
make_source_tarball "$tarball_name"
(cd dist && sha256sum "$zip_name" "$deb_name" "$tarball_name" >SHA256SUMS)

# lintian fails on an error; its warnings are shown.
lintian --fail-on error "dist/$deb_name"
echo "Made in dist/ from commit $(git rev-parse --short HEAD):"
(cd dist && ls -l --time-style=+ "$zip_name" "$deb_name" "$tarball_name" SHA256SUMS | cut -d' ' -f5-)
