#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Installs what is needed and builds the Debian package build/release/quillane_<version>_amd64.deb
# from a release build.
#   scripts/package.sh
# Its man pages are made from the programs' --help, so the programs run while it builds; like
# everything that may touch a network, that happens in a network namespace of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${QUILLANE_ISOLATED_NETNS:-}" != 1 ]; then
    "$root/scripts/install-deps.sh"
    exec "$root/scripts/in-test-netns.sh" "$0" "$@"
fi
cd "$root"

scripts/build.sh release quillane quillane-cli quillane-camsim manpages changelog
rm -f build/release/quillane_*.deb
(cd build/release && cpack -G DEB >/dev/null)
ls build/release/quillane_*.deb
