#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Installs what is needed and builds the Debian source package and the binary packages
# quillane, quillane-cli and quillane-camsim (each with its -dbgsym) into build/package/, with
# dpkg-buildpackage from a copy of the files git knows (no build trees, no ignored files).
#   scripts/package.sh [OUTPUT_DIR]
# Its man pages are made from the programs' --help, so the programs run while it builds; like
# everything that may touch a network, that happens in a network namespace of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${QUILLANE_ISOLATED_NETNS:-}" != 1 ]; then
    "$root/scripts/install-deps.sh"
    exec "$root/scripts/in-test-netns.sh" "$0" "$@"
fi
cd "$root"

out=${1:-build/package}
case "$out" in /*) ;; *) out="$root/$out" ;; esac
version=$(dpkg-parsechangelog -l debian/changelog -S Version)
project_version=$(sed -n 's/^project(Quillane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
if [ "$version" != "$project_version" ]; then
    echo "package.sh: debian/changelog is at $version, project() at $project_version; add a changelog entry" >&2
    exit 1
fi

rm -rf "$out"
source_dir="$out/quillane-$version"
mkdir -p "$source_dir"
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do
        if [ -e "$file" ] || [ -L "$file" ]; then printf '%s\0' "$file"; fi
    done |
    tar --null --files-from=- -cf - | tar -xf - -C "$source_dir"

# Tests are the suite's job, not the package build's.
export DEB_BUILD_OPTIONS="nocheck ${DEB_BUILD_OPTIONS:-}"
(cd "$source_dir" && dpkg-buildpackage -us -uc -J"$(nproc)" >"$out/build.log" 2>&1) || {
    tail -n 40 "$out/build.log" >&2
    echo "package.sh: dpkg-buildpackage failed; the whole log is $out/build.log" >&2
    exit 1
}
rm -rf "$source_dir"
ls "$out"/*.dsc "$out"/*.deb
