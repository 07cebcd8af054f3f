#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The window's liveness while a slow camera is set up: the wizard signs in to a simulated camera
# that answers every request late and asks for a wait after the apply, and the longest gap
# between ticks of a 10 ms timer on the interface thread is printed beside the same gap in the
# idle window (the floor). Runs on the offscreen platform inside scripts/in-test-netns.sh and
# namespaces of its own, so nothing reaches this machine's network.
#   bench/responsiveness_bench.sh [BUILD_DIR] [REPLY_DELAY_MS] [WRITE_WAIT_MS]
#   (default: build/release, 1500 ms late, a 2000 ms wait; needs root)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${QUILLANE_ISOLATED_NETNS:-}" != 1 ]; then
    exec "$root/scripts/in-test-netns.sh" "$0" "$@"
fi
build=${1:-build/release}
delay=${2:-1500}
wait_ms=${3:-2000}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
bench="$build/bench/quillane_responsiveness_bench"
camsim="$build/tools/camsim/quillane-camsim"

# shellcheck source=../tests/net/netlab.sh
source "$root/tests/net/netlab.sh"
work=$(mktemp -d)
netlab_init
netlab_link lan
netlab_pc_adapter lan eth0 198.18.0.1/24
netlab_camera_host cam lan 198.18.0.100/24
netlab_simulator cam "$work/cam.json" "$camsim" --camera "mac=02:00:00:00:91:01,ip=198.18.0.100" \
    --reply-delay "$delay" --write-action 2 --write-wait "$wait_ms" >/dev/null

echo "camera answers ${delay} ms late and asks for ${wait_ms} ms after a write; timer every 10 ms"
mkdir -m 700 "$work/runtime"
ip netns exec "$(netlab_ns pc)" env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" QUILLANE_BENCH_DELAY_MS="$delay" "$bench"
rm -rf "$work"
