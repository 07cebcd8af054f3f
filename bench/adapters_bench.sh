#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# One search over 1, 2, 4 and 8 adapters, each on a link of its own with 100 simulated cameras,
# beside the floor of one quiet period (3 s).
#   bench/adapters_bench.sh [BUILD_DIR] [ADAPTERS ...]     (default: build/release, 1 2 4 8)
# Runs itself inside scripts/in-test-netns.sh, so nothing reaches this machine's network.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${QUILLANE_ISOLATED_NETNS:-}" != 1 ]; then
    exec "$root/scripts/in-test-netns.sh" "$0" "$@"
fi
build=${1:-build/release}
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(1 2 4 8)
case "$build" in /*) ;; *) build="$root/$build" ;; esac
cli="$build/tools/cli/quillane-cli"
camsim="$build/tools/camsim/quillane-camsim"
per=${QUILLANE_BENCH_CAMERAS:-100}

# shellcheck source=../tests/net/netlab.sh
source "$root/tests/net/netlab.sh"
work=$(mktemp -d)

run_one() {
    local adapters=$1 i found took
    netlab_init
    for i in $(seq "$adapters"); do
        netlab_link "lan$i"
        netlab_pc_adapter "lan$i" "eth$i" "198.18.$i.1/24"
        netlab_camera_host "cam$i" "lan$i" "198.18.$i.250/24"
        netlab_simulator "cam$i" "$work/cam$i.json" "$camsim" --state-at-start \
            --camera "mac=$(printf '02:%02x:00:00:00:01' "$i"),ip=198.19.$i.1" --count "$per"
    done
    ip netns exec "$(netlab_ns pc)" "$cli" search >"$work/found.txt" 2>"$work/time.txt" --time
    found=$(wc -l <"$work/found.txt")
    took=$(sed -n 's/.* \([0-9]*\) ms$/\1/p' "$work/time.txt")
    printf 'adapters %d, cameras %4d: found %4d in %6d ms (floor 3000 ms)\n' "$adapters" $((adapters * per)) \
        "$found" "$took"
    netlab_cleanup
    trap - EXIT
}

for count in "${counts[@]}"; do
    run_one "$count"
done
rm -rf "$work"
