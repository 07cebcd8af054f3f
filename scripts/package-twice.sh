#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Checks that the package build is reproducible: builds the source and binary packages twice,
# in two folders (so the build paths differ too), and compares them byte for byte. For a
# binary package that differs, names the files inside it that differ.
#   scripts/package-twice.sh
# Not part of scripts/test.sh: two package builds take a while.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${QUILLANE_ISOLATED_NETNS:-}" != 1 ]; then
    "$root/scripts/install-deps.sh"
    exec "$root/scripts/in-test-netns.sh" "$0" "$@"
fi
cd "$root"

work=build/package-twice
rm -rf "$work"
for run in first second; do
    started=$(date +%s)
    scripts/package.sh "$work/$run" >/dev/null
    echo "package-twice: $run build took $(($(date +%s) - started)) s"
done

# The files inside a binary package, with their checksums, for naming what differs.
members() {
    local unpacked
    unpacked=$(mktemp -d)
    dpkg-deb -R "$1" "$unpacked"
    (cd "$unpacked" && find . -type f -print0 | sort -z | xargs -0 sha256sum)
    rm -rf "$unpacked"
}

differing=0
# .buildinfo and .changes record the build's own folder and time, so only the packages count.
for first in "$work"/first/*.deb "$work"/first/*.dsc "$work"/first/*.tar.*; do
    name=$(basename "$first")
    second="$work/second/$name"
    if [ ! -f "$second" ]; then
        echo "package-twice: $name only in the first build"
        differing=$((differing + 1))
    elif cmp -s "$first" "$second"; then
        echo "identical  $(sha256sum "$first" | cut -c1-16)  $(stat -c %s "$first") bytes  $name"
    else
        echo "DIFFERENT  $name"
        differing=$((differing + 1))
        case "$name" in *.deb) diff <(members "$first") <(members "$second") || true ;; esac
    fi
done
if [ "$differing" -ne 0 ]; then
    echo "package-twice: $differing file(s) differ"
    exit 1
fi
echo "package-twice: both builds are byte for byte identical"
