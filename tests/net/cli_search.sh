#!/usr/bin/env bash
# quillane-cli search in a throw-away network: what it prints for cameras found, and for none.
# Exit 77 (skipped) outside an isolated namespace.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cli=$1
camsim=$2
# shellcheck source=netlab.sh
source "$here/netlab.sh"
netlab_check_isolated || exit 77
work=$(mktemp -d)
failures=0

expect() {
    local what=$1 output=$2 text=$3
    if [[ "$output" != *"$text"* ]]; then
        echo "FAIL: $what: expected '$text' in:"
        echo "$output" | head -n 5
        failures=$((failures + 1))
    fi
}

netlab_init
netlab_link lanA
netlab_pc_adapter lanA eth0 198.18.0.1/24
pc=$(netlab_ns pc)

output=$(ip netns exec "$pc" "$cli" search --json)
expect "nothing found" "$output" "[]"

netlab_camera_host cam lanA 198.19.4.1/24
netlab_simulator cam "$work/state.json" "$camsim" \
    --camera "mac=02:00:00:00:60:01,model=QC-220W,name=Porch,ip=198.19.4.4,webport=8080,wireless=1" \
    --camera "mac=02:00:00:00:60:02,model=QC-100,name=Shed,ip=198.18.0.77,dhcp=1"
output=$(ip netns exec "$pc" "$cli" search --json)
expect "json, wireless camera" "$output" '{"model": "QC-220W", "name": "Porch", "ip": "198.19.4.4", "mac": "02.00.00.00.60.01", "interface": "eth0"'
expect "json, decoded fields" "$output" '"webPort": 8080, "reserved": 0, "dnsSpec": 0, "hasWireless": 1, "dhcp": 0'
expect "json, second camera" "$output" '"name": "Shed", "ip": "198.18.0.77", "mac": "02.00.00.00.60.02"'
output=$(ip netns exec "$pc" "$cli" search)
expect "table" "$output" $'QC-100\tShed\t198.18.0.77\t02.00.00.00.60.02\teth0'

rm -rf "$work"
if [ "$failures" -ne 0 ]; then
    echo "$failures case(s) failed"
    exit 1
fi
echo "all search command cases passed"
