#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Start-up figures of the wizard beside a bare Qt Widgets window (the floor): the time from
# process start until the first page's first paint has reached the screen, and the peak memory
# (VmHWM) once the camera list has been filled by a search of four simulated cameras. The two
# programs take turns, so that both meet the same machine. Runs under Xvfb, inside
# scripts/in-test-netns.sh and namespaces of its own, so nothing reaches this machine's network.
#   bench/startup_bench.sh [BUILD_DIR] [RUNS]     (default: build/release, 15 runs; needs root)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${QUILLANE_ISOLATED_NETNS:-}" != 1 ]; then
    exec "$root/scripts/in-test-netns.sh" "$0" "$@"
fi
build=${1:-build/release}
runs=${2:-15}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
wizard="$build/wizard/quillane"
floor="$build/bench/quillane_empty_window"
camsim="$build/tools/camsim/quillane-camsim"

# shellcheck source=../tests/net/netlab.sh
source "$root/tests/net/netlab.sh"
netlab_init
work=$(mktemp -d)
pc=$(netlab_ns pc)
netlab_link lan
netlab_pc_adapter lan eth0 198.18.0.1/24
netlab_camera_host cams lan 198.18.0.250/24
netlab_simulator cams "$work/cameras.json" "$camsim" --camera "mac=02:00:5e:20:00:01,ip=198.18.0.21" --count 4

ip netns exec "$pc" Xvfb :59 -screen 0 1024x640x24 -nolisten tcp >/dev/null 2>&1 &
NETLAB_PIDS+=($!)
for _ in $(seq 100); do
    [ -e /tmp/.X11-unix/X59 ] && break
    sleep 0.05
done
mkdir -m 700 "$work/runtime"

# One run: prints "<ms to first paint> <peak KiB>".
measure() {
    local program=$1 settle=$2 log="$work/log" pid start painted
    : >"$log"
    ip netns exec "$pc" env DISPLAY=:59 QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" \
        QUILLANE_STARTUP_STAMP=1 bash -c 'date +%s.%N >&2; exec "$0"' "$program" 2>"$log" &
    pid=$!
    for _ in $(seq 400); do
        grep -q "painted at" "$log" && break
        sleep 0.025
    done
    sleep "$settle"
    # The program is exec'd by the bash that ip netns exec started: find it by its parent.
    local child
    child=$(pgrep -P "$pid" -n || echo "$pid")
    local hwm
    hwm=$(awk '/VmHWM/ {print $2}' "/proc/$child/status" 2>/dev/null || echo 0)
    kill "$child" "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    start=$(head -1 "$log")
    painted=$(sed -n 's/.*painted at \([0-9.]*\).*/\1/p' "$log")
    awk -v s="$start" -v p="$painted" -v h="$hwm" 'BEGIN { printf "%.1f %d\n", (p - s) * 1000, h }'
}

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

report() {
    local name=$1 runs_file=$2
    printf '%-22s start to first page painted: median %6.1f ms (min %6.1f, max %6.1f); peak memory (VmHWM) %6.1f MiB\n' \
        "$name" "$(cut -d' ' -f1 "$runs_file" | median)" \
        "$(cut -d' ' -f1 "$runs_file" | sort -n | head -1)" "$(cut -d' ' -f1 "$runs_file" | sort -n | tail -1)" \
        "$(cut -d' ' -f2 "$runs_file" | median | awk '{ print $1 / 1024 }')"
}

echo "$runs runs each, taking turns, under Xvfb; the wizard's memory is read after its search (3 s quiet period) has filled the list"
# One unmeasured run each warms the file cache.
measure "$floor" 0.5 >/dev/null
measure "$wizard" 4 >/dev/null
: >"$work/floor"
: >"$work/wizard"
for _ in $(seq "$runs"); do
    measure "$floor" 0.5 >>"$work/floor"
    measure "$wizard" 4 >>"$work/wizard"
done
report "bare Qt window (floor)" "$work/floor"
report "quillane" "$work/wizard"
awk -v w="$(cut -d' ' -f1 "$work/wizard" | median)" -v f="$(cut -d' ' -f1 "$work/floor" | median)" \
    'BEGIN { printf "quillane / floor (medians): %.2f\n", w / f }'
netlab_cleanup # simulators write into $work until they are stopped
rm -rf "$work"
