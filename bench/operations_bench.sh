#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The login sequence (Verification, QueryOpcodes, GetWLan) and a network apply (ChangeIDPWD,
# SetBasic) against a simulated camera, beside bare UDP round trips over the same link (three
# for the login, two for the apply) as the floor.
#   bench/operations_bench.sh [BUILD_DIR] [benchmark options]     (default: build/release)
# Runs itself inside scripts/in-test-netns.sh, so nothing reaches this machine's network.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${QUILLANE_ISOLATED_NETNS:-}" != 1 ]; then
    exec "$root/scripts/in-test-netns.sh" "$0" "$@"
fi
build=${1:-build/release}
shift || true
case "$build" in /*) ;; *) build="$root/$build" ;; esac
bench="$build/bench/quillane_operations_bench"
camsim="$build/tools/camsim/quillane-camsim"

# shellcheck source=../tests/net/netlab.sh
source "$root/tests/net/netlab.sh"
work=$(mktemp -d)
netlab_init
netlab_link lanA
netlab_pc_adapter lanA eth0 198.18.0.1/24
netlab_camera_host cam lanA 198.18.0.100/24
netlab_simulator cam "$work/cam.json" "$camsim" --state-at-start \
    --camera "mac=02:00:00:00:90:01,ip=198.18.0.100,wireless=1,opcodes=0xA2:0xA3:0xA4:0xA5:0xA8:0xA9:0xAA" \
    >/dev/null
ip netns exec "$(netlab_ns cam)" "$bench" --echo-server eth0 &
NETLAB_PIDS+=($!)
sleep 0.2
QUILLANE_BENCH_MAC=02.00.00.00.90.01 ip netns exec "$(netlab_ns pc)" "$bench" "$@"
netlab_cleanup # simulators write into $work until they are stopped
rm -rf "$work"
