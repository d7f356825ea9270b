#!/usr/bin/env bash
# The release files are the same bit for bit when made twice from one commit, in
# two folders at different times (this checkout, with the builds the tests ran,
# when it holds the commit unchanged, else a clone; then a clone in a longer
# folder); none names the folder it was made in; the zip's Fontprobe.exe is the one the Windows-side tests ran, and,
# unzipped into a folder of its own, prints a test page under the rig's Wine.
#
# Run by scripts/test.sh beside the Windows-side tests, once Fontprobe.exe is
# built, from the top of a checkout.
set -euo pipefail
source scripts/setup.sh
ensure_installed "${release_needs[@]}"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# An unpacked source tarball is no checkout, even inside someone's other repository.
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" != "$PWD" ]; then
  echo "release_test: skipped, this source tree is not a git checkout (release files are made of a commit)."
  exit 0
fi

work=$(mktemp -d /tmp/fontprobe-release-test.XXXXXX)
state=$work/rig.state
cleanup() {
  [ ! -f "$state" ] || scripts/rig/rig.sh stop "$state"
  rm -rf "$work"
}
trap cleanup EXIT

# Makes the release files in a new clone of this commit, at the folder given.
release_in_clone() {
  git clone -q "$PWD" "$1"
  git -C "$1" checkout -q --detach "$(git rev-parse HEAD)"
  "$1/scripts/release.sh" >"$1.log" 2>&1 || { cat "$1.log" >&2; fail "scripts/release.sh failed in $1"; }
}
if git diff --quiet HEAD --; then
  first=$PWD
  scripts/release.sh >"$work/first.log" 2>&1 || { cat "$work/first.log" >&2; fail "scripts/release.sh failed"; }
else
  first=$work/first/fontprobe
  release_in_clone "$first"
fi
second=$work/second/a/longer/folder/fontprobe
release_in_clone "$second"

if ! cmp -s "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS"; then
  diff "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS" | sed -n 's/^< [0-9a-f]*  */differs between the two runs: /p' >&2
  fail "the release files of one commit are not reproducible"
fi
(cd "$first/dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the files"

# No folder, home or host name of the machine in any file the release holds.
unpacked=$work/unpacked
mkdir -p "$unpacked/zip" "$unpacked/deb"
unzip -q "$first/dist"/Fontprobe-*-win64.zip -d "$unpacked/zip"
dpkg-deb -x "$first/dist"/fontprobe_*.deb "$unpacked/deb"
gunzip -c "$first/dist"/fontprobe-*.tar.gz >"$unpacked/source.tar"
for leak in "$PWD" "$work" "$HOME" "$(hostname)"; do
  # A name of a few letters ("vm") stands in compressed pictures and machine
  # code by chance: it proves nothing either way.
  if [ ${#leak} -lt 5 ]; then
    echo "release test: not looking for '$leak', too short to tell a leak from chance"
    continue
  fi
  if grep -rlawF -- "$leak" "$unpacked"; then
    fail "the release files above hold '$leak'"
  fi
done

# The zip holds the Fontprobe.exe that the Windows-side tests ran, if this
# checkout's build is of the commit itself.
exe=$unpacked/zip/Fontprobe.exe
if git diff --quiet HEAD --; then
  cmp -s "$exe" build/mingw/Fontprobe.exe ||
    fail "the zip's Fontprobe.exe ($(sha256sum <"$exe" | cut -c1-16)…) is not the tested one ($(sha256sum <build/mingw/Fontprobe.exe | cut -c1-16)…)"
else
  echo "release_test: this checkout has uncommitted changes, so its tested Fontprobe.exe is not the commit's; not compared."
fi

scripts/rig/rig.sh start "$state" '*release_capture' >/dev/null
FONTPROBE_EXE=$exe scripts/rig/rig.sh exec "$state" wine build/mingw/tests/scripted_run.exe pcl
jobs=$(cat "$state")/jobs
build/native/fontprobe page pcl >"$work/page.pcl"
cmp -s "$jobs/1.data" "$work/page.pcl" || fail "the unzipped Fontprobe.exe did not print the PCL test page"
echo "release_test: two runs gave the same files; the zip's Fontprobe.exe is the tested one and printed the page:"
cat "$first/dist/SHA256SUMS"
