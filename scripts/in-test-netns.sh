#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Runs a command in a network namespace of its own, with only a loopback adapter, so that
# nothing it does can reach this machine's network. Namespaces that tests build with
# `ip netns` live in a private mount namespace and vanish with it.
set -euo pipefail

inner='
set -e
ip link set lo up
mkdir -p /run/netns
mount -t tmpfs quillane-netns /run/netns
export QUILLANE_ISOLATED_NETNS=1
exec "$@"
'

if [ "$(id -u)" -eq 0 ]; then
    exec unshare --net --mount --propagation private -- bash -c "$inner" bash "$@"
fi
# Without root, a user namespace gives the same isolation; tests that need real root skip.
exec unshare --user --map-root-user --net --mount --propagation private -- bash -c "$inner" bash "$@"
