#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Searches many simulated cameras over two adapters and prints what was found and how long the
# search took, against the floor of one quiet period (3 s); both adapters are searched at once.
#   bench/search_bench.sh [BUILD_DIR] [COUNT ...]     (default: build/release, 500 1000)
# Runs itself inside scripts/in-test-netns.sh, so nothing reaches this machine's network.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${QUILLANE_ISOLATED_NETNS:-}" != 1 ]; then
    exec "$root/scripts/in-test-netns.sh" "$0" "$@"
fi
build=${1:-build/release}
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(500 1000)
case "$build" in /*) ;; *) build="$root/$build" ;; esac
cli="$build/tools/cli/quillane-cli"
camsim="$build/tools/camsim/quillane-camsim"

# shellcheck source=../tests/net/netlab.sh
source "$root/tests/net/netlab.sh"
work=$(mktemp -d)

# Cameras of one link are split over several simulator hosts, so that their answers arrive in
# concurrent bursts as from many real cameras.
hosts=${QUILLANE_BENCH_HOSTS:-4}

run_one() {
    local total=$1 link i n mac subnet
    netlab_init
    netlab_link lanA
    netlab_link lanB
    netlab_pc_adapter lanA eth0 198.18.0.1/16
    netlab_pc_adapter lanB eth1 198.19.0.1/16
    for i in $(seq "$((2 * hosts))"); do
        if [ "$i" -le "$hosts" ]; then link=lanA; subnet=198.18; else link=lanB; subnet=198.19; fi
        n=$(((total * i) / (2 * hosts) - (total * (i - 1)) / (2 * hosts)))
        mac=$(printf '02:%02x:00:00:00:01' "$i")
        netlab_camera_host "cam$i" "$link" "$subnet.200.$i/16"
        # Link B's cameras sit in another subnet than the pc's adapter there.
        if [ "$link" = lanA ]; then ip="198.18.$i.1"; else ip="10.77.$i.1"; fi
        netlab_simulator "cam$i" "$work/cam$i.json" "$camsim" --camera "mac=$mac,ip=$ip,name=C$i" --count "$n"
    done
    ip netns exec "$(netlab_ns pc)" "$cli" search --json --time >"$work/found.json" 2>"$work/time.txt"
    local listed unique took floor=3000
    listed=$(grep -o '"mac": "[^"]*"' "$work/found.json" | wc -l)
    unique=$(grep -o '"mac": "[^"]*"' "$work/found.json" | sort -u | wc -l)
    took=$(sed -n 's/.* \([0-9]*\) ms$/\1/p' "$work/time.txt")
    printf 'cameras %5d: found %5d, duplicates %d, lost %d; StartSearch->SearchFinished %d ms (floor %d ms, +%d ms)\n' \
        "$total" "$unique" "$((listed - unique))" "$((total - unique))" "$took" "$floor" "$((took - floor))"
    netlab_cleanup
    trap - EXIT
}

for count in "${counts[@]}"; do
    run_one "$count"
done
netlab_cleanup # simulators write into $work until they are stopped
rm -rf "$work"
