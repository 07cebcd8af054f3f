#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Apply-and-confirm of one camera (set-network --verify) and a site plan of 20 cameras on two
# links, with the product's waits (3 s quiet search periods), beside the searches they contain.
#   bench/plan_bench.sh [BUILD_DIR]     (default: build/release)
# Runs itself inside scripts/in-test-netns.sh, so nothing reaches this machine's network.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${QUILLANE_ISOLATED_NETNS:-}" != 1 ]; then
    exec "$root/scripts/in-test-netns.sh" "$0" "$@"
fi
build=${1:-build/release}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
cli="$build/tools/cli/quillane-cli"
camsim="$build/tools/camsim/quillane-camsim"

# shellcheck source=../tests/net/netlab.sh
source "$root/tests/net/netlab.sh"
work=$(mktemp -d)
netlab_init
netlab_link lanA
netlab_link lanB
netlab_pc_adapter lanA eth0 198.18.0.1/24
netlab_pc_adapter lanB eth1 198.18.1.1/24
pc=$(netlab_ns pc)
netlab_camera_host hosta lanA 198.19.1.1/24
netlab_camera_host hostb lanB 198.19.2.1/24
netlab_simulator hosta "$work/a.json" "$camsim" --camera "mac=02:00:00:00:a0:01,ip=198.19.1.10" --count 10
netlab_simulator hostb "$work/b.json" "$camsim" --camera "mac=02:00:00:00:b0:01,ip=198.19.2.10" --count 10
{
    echo "mac,name,ip,mask,gateway"
    for i in $(seq 1 10); do
        printf '02:00:00:00:a0:%02x,Door A%d,198.19.1.%d,255.255.255.0,198.19.1.254\n' "$i" "$i" $((100 + i))
        printf '02:00:00:00:b0:%02x,Door B%d,198.19.2.%d,255.255.255.0,198.19.2.254\n' "$i" "$i" $((100 + i))
    done
} >"$work/plan.csv"

ms() { date +%s%3N; }
timed() {
    local start end
    start=$(ms)
    ip netns exec "$pc" "$cli" "$@" >"$work/out" 2>&1 || true
    end=$(ms)
    echo $((end - start))
}

search=$(timed search)
verify=$(timed set-network --mac 02:00:00:00:a0:01 --password admin --ip 198.19.1.50 --verify)
grep -q "^confirmed" "$work/out" || { echo "set-network --verify did not confirm:"; cat "$work/out"; }
plan=$(timed plan "$work/plan.csv" --password admin)
confirmed=$(grep -c "confirmed" "$work/out" || true)
printf 'one search over 2 adapters:            %6d ms\n' "$search"
printf 'apply and confirm one camera:          %6d ms (2 searches and the apply)\n' "$verify"
printf 'plan of 20 cameras (%2d confirmed):     %6d ms (2 searches and 20 applies)\n' "$confirmed" "$plan"
rm -rf "$work"
