#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The host firewall rule that docs/system-needs.md gives: in a pc namespace whose nftables drop
# incoming traffic by default (loopback and established connections let through, as usual), a search
# finds no camera, because the answers come back by broadcast and match no connection; with the
# rule it finds every camera, in the pc's subnet and outside it.
#   firewall_rule.sh QUILLANE-CLI QUILLANE-CAMSIM SYSTEM-NEEDS-DOCUMENT
# Exit 77 (skipped) outside an isolated namespace or without nftables.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cli=$1
camsim=$2
document=$3
rule='nft add rule inet filter input udp sport 62976 accept'
# shellcheck source=netlab.sh
source "$here/netlab.sh"
netlab_check_isolated || exit 77
command -v nft >/dev/null || { echo "nft is not installed; skipped"; exit 77; }
# shellcheck source=checks.sh
source "$here/checks.sh"

grep -qF "    $rule" "$document" || fail "$document does not give the rule '$rule'"

netlab_init
work=$(mktemp -d)
netlab_link lan
netlab_pc_adapter lan eth0 198.18.0.1/24
pc=$(netlab_ns pc)
netlab_camera_host near lan 198.18.0.250/24
netlab_camera_host far lan 198.19.4.1/24
netlab_simulator near "$work/near.json" "$camsim" \
    --camera "mac=02:00:00:00:70:01,ip=198.18.0.21" --camera "mac=02:00:00:00:70:02,ip=198.19.4.7"
netlab_simulator far "$work/far.json" "$camsim" --camera "mac=02:00:00:00:70:03,ip=198.19.4.9"

if ! ip netns exec "$pc" nft -f - <<'NFT'; then
table inet filter {
    chain input {
        type filter hook input priority filter; policy drop;
        iif "lo" accept
        ct state established,related accept
    }
}
NFT
    echo "nftables do not work in this namespace; skipped"
    exit 77
fi

found() { ip netns exec "$pc" "$cli" search | cut -f4 | sort | tr '\n' ' '; }

without=$(found)
[ -z "$without" ] || fail "without the rule the search found: $without"

ip netns exec "$pc" $rule
with=$(found)
expected="02.00.00.00.70.01 02.00.00.00.70.02 02.00.00.00.70.03 "
[ "$with" = "$expected" ] || fail "with the rule the search found '$with', expected '$expected'"

checks_finish "$work" "firewall"
