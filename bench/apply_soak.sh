#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# 500 apply cycles (search, sign in, DHCP, apply) in one wizard process against one simulated
# camera; prints memory, descriptors and threads after the first and the last cycle.
#   bench/apply_soak.sh [BUILD_DIR] [CYCLES]      (default: build/debug, 500; a few minutes)
# Runs itself inside scripts/in-test-netns.sh, so nothing reaches this machine's network.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${QUILLANE_ISOLATED_NETNS:-}" != 1 ]; then
    exec "$root/scripts/in-test-netns.sh" "$0" "$@"
fi
build=${1:-build/debug}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
CYCLES=${2:-500} QT_QPA_PLATFORM=offscreen exec "$build/tests/gui/quillane_apply_soak"
