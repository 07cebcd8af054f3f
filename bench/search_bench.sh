#!/usr/bin/env bash
# Searches many simulated cameras over two adapters and prints what was found and how long the
# search took, against the floor of one quiet period (3 s) per adapter.
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

run_one() {
    local total=$1 half=$(($1 / 2))
    netlab_init
    netlab_link lanA
    netlab_link lanB
    netlab_pc_adapter lanA eth0 198.18.0.1/16
    netlab_pc_adapter lanB eth1 198.19.0.1/16
    netlab_camera_host camA lanA 198.18.200.1/16
    netlab_camera_host camB lanB 198.19.200.1/16
    # Link B's cameras sit in another subnet than the pc's adapter there.
    netlab_simulator camA "$work/a.json" "$camsim" --camera mac=02:aa:00:00:00:01,ip=198.18.1.1,name=A \
        --count "$half"
    netlab_simulator camB "$work/b.json" "$camsim" --camera mac=02:bb:00:00:00:01,ip=10.77.1.1,name=B \
        --count "$((total - half))"
    ip netns exec "$(netlab_ns pc)" "$cli" search --json --time >"$work/found.json" 2>"$work/time.txt"
    python3 - "$total" "$work/found.json" "$work/time.txt" <<'PY'
import json, re, sys
total = int(sys.argv[1])
found = json.load(open(sys.argv[2]))
macs = [c["mac"] for c in found]
took = int(re.search(r"(\d+) ms", open(sys.argv[3]).read()).group(1))
floor = 2 * 3000
print(f"cameras {total:5d}: found {len(set(macs)):5d}, duplicates {len(macs) - len(set(macs))}, "
      f"lost {total - len(set(macs))}; StartSearch->SearchFinished {took} ms "
      f"(floor {floor} ms, +{took - floor} ms)")
PY
    netlab_cleanup
    trap - EXIT
}

for count in "${counts[@]}"; do
    run_one "$count"
done
rm -rf "$work"
