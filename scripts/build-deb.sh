#!/usr/bin/env bash
# Usage: scripts/build-deb.sh [OUTPUT_FOLDER]
# Builds the Debian packages with dpkg-buildpackage from a copy of this tree's files in
# OUTPUT_FOLDER (default: build-deb in the tree), where the .deb, its -dbgsym package, the source
# package and the .changes land; the tree itself stays untouched. File dates are those of the last
# commit (SOURCE_DATE_EPOCH), so two builds of one commit give the same bytes.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
output="$(mkdir -p "${1:-${root}/build-deb}" && cd "${1:-${root}/build-deb}" && pwd)"

version="$(dpkg-parsechangelog -l "${root}/debian/changelog" -S Version)"
source="${output}/tessnivar-${version}"
rm -rf "${source}"
mkdir -p "${source}"
# The tree's files that git does not ignore, as they are in the working tree (deleted ones left
# out), so that nothing built is packed.
(cd "${root}" && git ls-files -z --cached --others --exclude-standard |
    tar --null --ignore-failed-read -T - -cf - 2>/dev/null) | tar -C "${source}" -xf -

export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git -C "${root}" log -1 --format=%ct)}"
cd "${source}"
dpkg-buildpackage -us -uc
