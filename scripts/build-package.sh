#!/usr/bin/env bash
# Builds the Debian source and binary packages with dpkg-buildpackage from a
# copy of the project's files (the work tree as it is, new files included,
# build folders left out), so that they land in OUT and not beside the tree.
# The upstream tarball is that copy without debian/, made the same way each
# time (names sorted, owners and times fixed at the changelog's date).
#   build-package.sh OUT [DPKG-BUILDPACKAGE-OPTION...]
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?output folder}
shift
version=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
upstream=${version%-*}
date=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Timestamp)
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)
tree=$out/vitayear-$upstream
mkdir "$tree"

if git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  # A tracked file deleted in the work tree is left out as well.
  git -C "$src" ls-files -z --cached --others --exclude-standard |
    (cd "$src" && while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done) |
    tar -C "$src" --null -T - -cf - | tar -C "$tree" -xf -
else
  tar -C "$src" --exclude=./build --exclude='./obj-*' -cf - . | tar -C "$tree" -xf -
fi

tar -C "$out" --sort=name --mtime="@$date" --owner=0 --group=0 --numeric-owner --exclude="vitayear-$upstream/debian" \
  -cf - "vitayear-$upstream" | xz -6 >"$out/vitayear_$upstream.orig.tar.xz"
(cd "$tree" && dpkg-buildpackage -us -uc -jauto "$@")
rm -rf "$tree"
echo "Packages in $out:"
ls -1 "$out"
