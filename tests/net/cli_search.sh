#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
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

lacks() {
    local what=$1 output=$2 text=$3
    if [[ "$output" == *"$text"* ]]; then
        echo "FAIL: $what: '$text' must not appear in:"
        echo "$output" | head -n 5
        failures=$((failures + 1))
    fi
}

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
# Container links without an address, listed before the real card, must not crowd it out.
netlab_link idle
for i in 1 2 3 4 5 6 7 8; do
    netlab_pc_adapter idle "veth$i"
done
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

# Per-adapter figures: eth0's simulator sends two strays before its answers and every answer
# twice; eth1 on a link of its own hears one camera. Whatever the number of requests, each
# brings two strays and four answers, of which only the first two count.
netlab_link lanB
netlab_pc_adapter lanB eth1 198.18.1.1/24
netlab_camera_host noisy lanA 198.19.4.2/24
netlab_simulator noisy "$work/noisy.json" "$camsim" --camera "mac=02:00:00:00:61:01" \
    --camera "mac=02:00:00:00:61:02" --stray wrong-magic,old-seq --duplicate
netlab_camera_host other lanB 198.18.1.9/24
netlab_simulator other "$work/other.json" "$camsim" --camera "mac=02:00:00:00:62:01"
kill "${NETLAB_PIDS[0]}"
wait "${NETLAB_PIDS[0]}" 2>/dev/null || true
output=$(ip netns exec "$pc" "$cli" search --json --diag)
eth0=$(echo "$output" | jq -c '.adapters[] | select(.interface == "eth0") |
    [.address, .requestsSent > 0, .datagramsHeard == 6 * .requestsSent, .repliesAccepted,
     .straysDropped == 2 * .requestsSent, .duplicatesDropped == 4 * .requestsSent - 2, .listenedMs >= 3000]')
expect "diag, eth0" "$eth0" '["198.18.0.1",true,true,2,true,true,true]'
eth1=$(echo "$output" | jq -c '.adapters[] | select(.interface == "eth1") |
    [.address, .repliesAccepted, .straysDropped, .duplicatesDropped == .requestsSent - 1]')
expect "diag, eth1" "$eth1" '["198.18.1.1",1,0,true]'
expect "diag, cameras" "$(echo "$output" | jq -c '[.cameras[].mac]')" \
    '["02.00.00.00.61.01","02.00.00.00.61.02","02.00.00.00.62.01"]'
expect "diag, nothing refused or over the limit" "$(echo "$output" | jq -c '[.adapters[] |
    [.sendsFailed, .error, .overLimitDropped]]')" '[[0,null,0],[0,null,0]]'
ip netns exec "$pc" "$cli" search --diag >/dev/null 2>"$work/diag.txt"
expect "diag, text" "$(cat "$work/diag.txt")" "search: eth1 198.18.1.1: "
expect "diag, text" "$(cat "$work/diag.txt")" " sent, 0 refused, "
expect "diag, text" "$(cat "$work/diag.txt")" " heard, 1 accepted, 0 strays and "
expect "diag, text" "$(cat "$work/diag.txt")" " 0 answers over the limit of 4096 cameras dropped, "

# The pc's own firewall refuses the requests (a refused send fails with EPERM): first on eth1
# only, then on every adapter. Only what was sent may reach a camera.
searches() { jq '.requests["161"] // 0' "$work/other.json"; }
refuse() {
    ip netns exec "$pc" nft -f - <<NFT
flush ruleset
table inet filter {
    chain output {
        type filter hook output priority filter; policy accept;
        $1 udp dport 62976 reject
    }
}
NFT
}
if ! command -v nft >/dev/null || ! refuse 'oifname "eth1"' 2>/dev/null; then
    echo "nftables do not work here; the refused-send cases are skipped"
else
    before=$(searches)
    code=0
    output=$(ip netns exec "$pc" "$cli" search 2>"$work/err.txt") || code=$?
    expect "eth1 refused: exit code" "$code" 0
    expect "eth1 refused: eth0 still lists" "$(echo "$output" | cut -f4 | sort | tr '\n' ' ')" \
        "02.00.00.00.61.01 02.00.00.00.61.02 "
    expect "eth1 refused: named" "$(cat "$work/err.txt")" \
        "quillane-cli: search: no request could be sent on eth1 (198.18.1.1): Operation not permitted"
    lacks "eth1 refused: eth0 not named" "$(cat "$work/err.txt")" "on eth0"
    expect "eth1 refused: nothing reached its camera" "$(searches)" "$before"

    refuse ""
    code=0
    output=$(ip netns exec "$pc" "$cli" search --json --diag 2>"$work/err.txt") || code=$?
    expect "all refused: exit code" "$code" 7
    expect "all refused: the list" "$(echo "$output" | jq -c '.cameras')" "[]"
    expect "all refused: json" "$(echo "$output" | jq -c '[.adapters[] | [.interface, .requestsSent,
        .sendsFailed, .error]]')" '[["eth0",0,4,"Operation not permitted"],["eth1",0,4,"Operation not permitted"]]'
    expect "all refused: eth0 named" "$(cat "$work/err.txt")" \
        "quillane-cli: search: no request could be sent on eth0 (198.18.0.1): Operation not permitted"
    code=0
    ip netns exec "$pc" "$cli" search --diag >/dev/null 2>"$work/diag.txt" || code=$?
    expect "all refused: text exit code" "$code" 7
    expect "all refused: diag text" "$(cat "$work/diag.txt")" \
        "search: eth1 198.18.1.1: 0 sent, 4 refused (Operation not permitted), 0 heard, "
    expect "all refused: nothing reached a camera" "$(searches)" "$before"
fi

netlab_cleanup # simulators write into $work until they are stopped
rm -rf "$work"
if [ "$failures" -ne 0 ]; then
    echo "$failures case(s) failed"
    exit 1
fi
echo "all search command cases passed"
