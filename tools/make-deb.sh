#!/usr/bin/env bash
# Builds the Debian packages vorex and python3-vorex from the working tree into OUT (default
# build-deb/), then runs lintian on them. The tree is staged first so that the package build's
# own files (debian/tmp, obj-*) never land in the checkout, and so that the developers' build
# folders are not part of the source.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build-deb}")
version=$(head -n1 VERSION)
changelog=$(dpkg-parsechangelog -l debian/changelog -S Version)
if [ "$changelog" != "$version" ]; then
  echo "make-deb: debian/changelog says $changelog but VERSION says $version; add a changelog entry." >&2
  exit 1
fi

stage="$out/vorex-$version"
rm -rf "$stage"
mkdir -p "$stage"
# What git knows (tracked, and new files not ignored), so build folders stay out; a tree without
# git is copied whole but for the build folders.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' f; do
    [ -e "$f" ] && printf '%s\0' "$f"
  done | tar --null -T - -cf - | tar -xf - -C "$stage"
else
  tar --exclude='./build' --exclude='./build-*' -cf - . | tar -xf - -C "$stage"
fi

rm -f "$out"/*.deb "$out"/*.ddeb "$out"/*.changes "$out"/*.buildinfo
(cd "$stage" && DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" \
  dpkg-buildpackage -us -uc -b)
ls -1 "$out"/*.deb
echo "== lintian"
lintian --info --display-info --fail-on error,warning "$out"/vorex_"$version"_*.changes
