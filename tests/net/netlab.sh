# SPDX-License-Identifier: Apache-2.0
# Shell side of the test network lab (source it): throw-away namespaces for a "pc", links
# (a bridge each) and camera hosts. Mirrors NetLab.cpp for scripts and benchmarks.
# Everything created is removed by netlab_cleanup, which netlab_init installs as an EXIT trap.

# Fails unless this shell runs in an isolated namespace made by scripts/in-test-netns.sh.
netlab_check_isolated() {
    if [ "${QUILLANE_ISOLATED_NETNS:-}" != 1 ]; then
        echo "netlab: run this through scripts/in-test-netns.sh" >&2
        return 1
    fi
    local self init
    self=$(readlink /proc/self/ns/net)
    init=$(readlink /proc/1/ns/net 2>/dev/null || true)
    if [ "$self" = "$init" ]; then
        echo "netlab: this shell shares PID 1's network namespace; refusing" >&2
        return 1
    fi
    if [ -z "$init" ] && ip -o link show | grep -qv ": lo:"; then
        echo "netlab: cannot prove isolation (adapters besides lo here)" >&2
        return 1
    fi
}

netlab_init() {
    netlab_check_isolated || exit 1
    NETLAB_PREFIX="qs$$-"
    NETLAB_NAMESPACES=()
    NETLAB_PIDS=()
    trap netlab_cleanup EXIT
    ip netns add "${NETLAB_PREFIX}pc"
    NETLAB_NAMESPACES+=("${NETLAB_PREFIX}pc")
    ip -n "${NETLAB_PREFIX}pc" link set lo up
}

netlab_cleanup() {
    local pid ns
    for pid in "${NETLAB_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    for ns in "${NETLAB_NAMESPACES[@]}"; do
        ip netns del "$ns" 2>/dev/null || true
    done
    NETLAB_PIDS=()
    NETLAB_NAMESPACES=()
}

netlab_ns() { echo "${NETLAB_PREFIX}$1"; }

# netlab_link NAME
netlab_link() {
    local ns; ns=$(netlab_ns "$1")
    ip netns add "$ns"
    NETLAB_NAMESPACES+=("$ns")
    ip -n "$ns" link add br0 type bridge
    ip -n "$ns" link set br0 up
}

# netlab_pc NAME: one more namespace like "pc" (the PC of another site), loopback up.
netlab_pc() {
    local ns; ns=$(netlab_ns "$1")
    ip netns add "$ns"
    NETLAB_NAMESPACES+=("$ns")
    ip -n "$ns" link set lo up
}

# netlab_pc_adapter LINK IFNAME [ADDRESS/PREFIX ...]
netlab_pc_adapter() {
    netlab_adapter_of pc "$@"
}

# netlab_adapter_of PC LINK IFNAME [ADDRESS/PREFIX ...]: an adapter of the namespace PC on LINK.
netlab_adapter_of() {
    local link=$2 ifname=$3 pc lan address
    pc=$(netlab_ns "$1")
    lan=$(netlab_ns "$link")
    shift 3
    ip link add "$ifname" netns "$pc" type veth peer name "p-$ifname" netns "$lan"
    ip -n "$lan" link set "p-$ifname" master br0
    ip -n "$lan" link set "p-$ifname" up
    for address in "$@"; do
        ip -n "$pc" addr add "$address" dev "$ifname"
    done
    ip -n "$pc" link set "$ifname" up
}

# netlab_camera_host NAME LINK ADDRESS/PREFIX
netlab_camera_host() {
    local ns lan
    ns=$(netlab_ns "$1")
    lan=$(netlab_ns "$2")
    ip netns add "$ns"
    NETLAB_NAMESPACES+=("$ns")
    ip link add eth0 netns "$ns" type veth peer name "c-$1" netns "$lan"
    ip -n "$lan" link set "c-$1" master br0
    ip -n "$lan" link set "c-$1" up
    ip -n "$ns" addr add "$3" dev eth0
    ip -n "$ns" link set eth0 up
}

# netlab_simulator HOST STATEFILE CAMSIM [ARGS ...]: starts the simulator and waits until it is ready.
netlab_simulator() {
    local host=$1 state=$2 camsim=$3 i
    shift 3
    rm -f "$state"
    ip netns exec "$(netlab_ns "$host")" "$camsim" --interface eth0 --state-file "$state" "$@" &
    NETLAB_PIDS+=($!)
    for i in $(seq 500); do
        [ -e "$state" ] && return 0
        sleep 0.01
    done
    echo "netlab: simulator on $host did not start" >&2
    return 1
}

# netlab_relay NAME LINK_A LINK_B IMPAIR [ARGS ...]: a namespace joined to both links through
# quillane-impair (duplication, reordering); the links are otherwise separate.
netlab_relay() {
    local ns a b impair=$4
    ns=$(netlab_ns "$1")
    a=$(netlab_ns "$2")
    b=$(netlab_ns "$3")
    shift 4
    ip netns add "$ns"
    NETLAB_NAMESPACES+=("$ns")
    ip link add ra netns "$ns" type veth peer name "r-$1-a" netns "$a"
    ip link add rb netns "$ns" type veth peer name "r-$1-b" netns "$b"
    ip -n "$a" link set "r-$1-a" master br0 up
    ip -n "$b" link set "r-$1-b" master br0 up
    ip -n "$ns" link set ra up
    ip -n "$ns" link set rb up
    ip netns exec "$ns" "$impair" --a ra --b rb "$@" &
    NETLAB_PIDS+=($!)
}

# netlab_lossy LINK PERCENT: the link's bridge drops each frame it forwards with that chance
# (nftables, numgen random), in either direction.
netlab_lossy() {
    ip netns exec "$(netlab_ns "$1")" nft -f - <<NFT
table bridge quillane_loss {
    chain forward {
        type filter hook forward priority 0; policy accept;
        numgen random mod 100 < $2 drop
    }
}
NFT
}
