#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Searches and camera commands over a hostile network: a link that loses frames (nftables,
# numgen random) behind a bridge that duplicates and reorders them (quillane-impair).
#   bench/hostile_network.sh [BUILD_DIR] [RUNS] [PART ...]      (default: build/debug, 20, all parts)
# Parts, in this order:
#   searches    for searches of 200 cameras, how many were listed at 10% and 30% loss on the
#               cameras' link, with and without the repeated request;
#   pc-side     RUNS searches of 200 cameras with 30% loss in the pc's own firewall, on output only
#               (a send the firewall drops fails with EPERM) and on output and input: how many each
#               search listed, the minimum and the median;
#   hostile     at 30% loss, 20% duplication and reordering, RUNS searches;
#   operations  the same network, RUNS runs of every camera command, each judged against the
#               simulated camera's state: successes, honest failures and false successes (a
#               success the camera does not bear out, or a camera listed twice).
# Exits 1 when any false success or unclear failure was seen. About fifteen minutes for all.
# Runs itself inside scripts/in-test-netns.sh, so nothing reaches this machine's network.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${QUILLANE_ISOLATED_NETNS:-}" != 1 ]; then
    exec "$root/scripts/in-test-netns.sh" "$0" "$@"
fi
build=${1:-build/debug}
runs=${2:-20}
shift 2 || shift $#
parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(searches pc-side hostile operations)
case "$build" in /*) ;; *) build="$root/$build" ;; esac
cli="$build/tools/cli/quillane-cli"
camsim="$build/tools/camsim/quillane-camsim"
impair="$build/tests/net/quillane-impair"
templates="$root/data/tQuillane"

# shellcheck source=../tests/net/netlab.sh
source "$root/tests/net/netlab.sh"
work=$(mktemp -d)
false_successes=0
unclear=0

# build_lab LOSS DUPLICATE REORDER CAMERAS: pc eth0 on lanA, the impairing bridge to lanB, and the
# cameras on lanB behind the lossy bridge, split over four simulator hosts.
build_lab() {
    local loss=$1 duplicate=$2 reorder=$3 total=$4 i n live=()
    # Searches only need the cameras; single-camera runs read the live state after every command.
    [ "$total" -gt 1 ] && live=(--state-at-start)
    netlab_init
    netlab_link lanA
    netlab_link lanB
    netlab_pc_adapter lanA eth0 198.18.0.1/16
    netlab_relay relay lanA lanB "$impair" --duplicate "$duplicate" --reorder "$reorder" --hold 30 --seed "$RANDOM"
    netlab_lossy lanB "$loss"
    for i in 1 2 3 4; do
        n=$(((total * i + 3) / 4 - (total * (i - 1) + 3) / 4))
        [ "$n" -gt 0 ] || continue
        netlab_camera_host "cam$i" lanB "198.18.200.$i/16"
        netlab_simulator "cam$i" "$work/cam$i.json" "$camsim" "${live[@]}" --seed "$RANDOM" \
            --camera "mac=02:00:00:0$i:00:01,ip=198.18.$i.1,name=C$i" --count "$n"
    done
    pc=$(netlab_ns pc)
}

drop_lab() {
    netlab_cleanup
    trap - EXIT
}

# search_once REPEATS: prints "listed duplicates".
search_once() {
    # A search that could send nothing exits 7 (kept in $work/code); it still prints its empty list.
    local code=0
    ip netns exec "$pc" "$cli" search --json --repeats "$1" >"$work/found.json" 2>/dev/null || code=$?
    echo "$code" >"$work/code"
    local listed unique
    # grep finds nothing in an empty list, which pipefail would take for a failure.
    listed=$({ grep -o '"mac": "[^"]*"' "$work/found.json" || true; } | wc -l)
    unique=$({ grep -o '"mac": "[^"]*"' "$work/found.json" || true; } | sort -u | wc -l)
    echo "$unique $((listed - unique))"
}

search_figures() {
    local loss repeats r listed duplicates sum min max
    for loss in 10 30; do
        build_lab "$loss" 0 0 200
        for repeats in 0 3; do
            sum=0 min=200 max=0
            for r in 1 2 3 4 5; do
                read -r listed duplicates < <(search_once "$repeats")
                sum=$((sum + listed))
                [ "$listed" -lt "$min" ] && min=$listed
                [ "$listed" -gt "$max" ] && max=$listed
                [ "$duplicates" -eq 0 ] || false_successes=$((false_successes + 1))
            done
            printf 'loss %2d%%, %d repeats: listed of 200, mean %d (min %d, max %d) over 5 searches\n' \
                "$loss" "$repeats" "$((sum / 5))" "$min" "$max"
        done
        drop_lab
    done
}

# pc_side_loss CHAINS: RUNS searches of the 200 cameras with 30% loss in the pc's own firewall on
# CHAINS ("output" or "output input"); the cameras' link loses nothing.
pc_side_loss() {
    local chains=$1 chain r listed duplicates counts=() zero=0 unsent=0 twice=0
    build_lab 0 0 0 200
    {
        echo "table inet quillane_pc_loss {"
        for chain in $chains; do
            echo "    chain $chain { type filter hook $chain priority 0; policy accept; numgen random mod 100 < 30 drop; }"
        done
        echo "}"
    } | ip netns exec "$pc" nft -f -
    for r in $(seq "$runs"); do
        read -r listed duplicates < <(search_once 3)
        counts+=("$listed")
        [ "$listed" -eq 0 ] && zero=$((zero + 1))
        [ "$(cat "$work/code")" -eq 7 ] && unsent=$((unsent + 1))
        twice=$((twice + duplicates))
    done
    false_successes=$((false_successes + twice))
    local sorted median
    mapfile -t sorted < <(printf '%s\n' "${counts[@]}" | sort -n)
    median=$(((sorted[(runs - 1) / 2] + sorted[runs / 2]) / 2))
    printf 'pc-side loss 30%% on %s, x%d: listed of 200: %s\n' "${chains// / and }" "$runs" "${counts[*]}"
    printf '    min %d, median %d; searches that listed none: %d, of which the firewall refused every request: %d; cameras listed twice: %d\n' \
        "${sorted[0]}" "$median" "$zero" "$unsent" "$twice"
    drop_lab
}

pc_side_searches() {
    pc_side_loss output
    pc_side_loss "output input"
}

hostile_searches() {
    local r listed duplicates sum=0 min=200 twice=0
    build_lab 30 0.2 0.2 200
    for r in $(seq "$runs"); do
        read -r listed duplicates < <(search_once 3)
        sum=$((sum + listed))
        [ "$listed" -lt "$min" ] && min=$listed
        twice=$((twice + duplicates))
    done
    false_successes=$((false_successes + twice))
    printf 'hostile search x%d: listed of 200, mean %d (min %d); cameras listed twice: %d\n' \
        "$runs" "$((sum / runs))" "$min" "$twice"
    drop_lab
}

# The one camera's value of KEY in its simulator's state.
value() {
    grep -o "\"$1\": \\(\"[^\"]*\"\\|[0-9]*\\)" "$work/cam1.json" | head -n 1 | sed 's/^[^:]*: //; s/"//g'
}

# The cipher a camera stores for PASSWORD (hex of 64 bytes).
cipher() {
    "$cli" template encode "$templates/ChangeIDPWD_temp" EncryptedID=admin "EncryptedPassword=$1" | tr -d ' \n' |
        cut -c129-256
}

declare -A ok honest wrong
# judge COMMAND CODE CHECK: a success must pass CHECK (a shell condition); a failure needs a
# known code and one line on standard error.
judge() {
    local command=$1 code=$2 check=$3
    if [ "$code" -eq 0 ]; then
        if eval "$check"; then
            ok[$command]=$((${ok[$command]:-0} + 1))
        else
            wrong[$command]=$((${wrong[$command]:-0} + 1))
            false_successes=$((false_successes + 1))
            echo "false success: $command: $(head -c 300 "$work/out")" >&2
        fi
        return
    fi
    honest[$command]=$((${honest[$command]:-0} + 1))
    case "$code" in 3 | 4 | 18 | 29 | 30) ;; *) unclear=$((unclear + 1)); echo "unclear: $command exit $code" >&2 ;; esac
    [ "$(wc -l <"$work/err")" -ge 1 ] || { unclear=$((unclear + 1)); echo "unclear: $command said nothing" >&2; }
}

# cli COMMAND ARGS...: runs one camera command against the camera; sets code.
cli() {
    code=0
    ip netns exec "$pc" "$cli" "$@" --mac 02:00:00:01:00:01 --password "$password" --search-time 500 \
        --timeout 500 >"$work/out" 2>"$work/err" || code=$?
}

hostile_operations() {
    local r before current
    build_lab 30 0.2 0.2 1
    password=admin
    local opcodes="opcodes: 0xA1 0xA2 0xA3 0xA4 0xA5 0xA8 0xA9 0xAA"
    for r in $(seq "$runs"); do
        cli login
        judge login "$code" 'grep -q "^$opcodes$" "$work/out"'
        cli opcodes
        judge opcodes "$code" 'grep -q "^${opcodes#opcodes: }$" "$work/out"'
        cli get-wlan
        judge get-wlan "$code" 'grep -q "^ssid: $(value essid)$" "$work/out"'
        cli set-network --dhcp --name "run-$r"
        judge set-network "$code" '[ "$(value name)" = "run-$r" ]'
        cli set-wlan --ssid "ssid-$r"
        judge set-wlan "$code" '[ "$(value essid)" = "ssid-$r" ]'
        before=$(value resets)
        cli reset
        judge reset "$code" '[ "$(value resets)" -gt "$before" ]'
        cli wps --pbc --interval 100 --limit 10
        judge wps "$code" '[ "$(value phase)" = joined ]'
        cli set-password --new-password "pw-$r"
        judge set-password "$code" '[ "$(value passwordCipher)" = "$(cipher "pw-$r")" ]'
        # A refusal must mean the camera kept the old password.
        if [ "$code" -eq 18 ] && [ "$(value passwordCipher)" = "$(cipher "pw-$r")" ]; then
            false_successes=$((false_successes + 1))
            echo "untrue refusal: set-password run $r" >&2
        fi
        # The next run signs in with whatever the camera now holds.
        current=$(value passwordCipher)
        [ "$current" = "$(cipher "pw-$r")" ] && password="pw-$r"
    done
    printf '%-13s %9s %15s %15s\n' command successes "honest failures" "false successes"
    for command in login opcodes get-wlan set-network set-wlan reset wps set-password; do
        printf '%-13s %9d %15d %15d\n' "$command" "${ok[$command]:-0}" "${honest[$command]:-0}" "${wrong[$command]:-0}"
    done
    drop_lab
}

for part in "${parts[@]}"; do
    case "$part" in
        searches) search_figures ;;
        pc-side) pc_side_searches ;;
        hostile) hostile_searches ;;
        operations) hostile_operations ;;
        *) echo "hostile_network.sh: no part '$part' (searches, pc-side, hostile, operations)" >&2; exit 2 ;;
    esac
done
rm -rf "$work"
echo "false successes: $false_successes, unclear failures: $unclear"
[ "$false_successes" -eq 0 ] && [ "$unclear" -eq 0 ]
