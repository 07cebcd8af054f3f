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

# A tree built without the benchmarks (or only for the package) lacks the bare window: build
# what is missing, in the flavours that have it.
missing=()
for program in "$wizard" "$floor" "$camsim"; do
    [ -x "$program" ] || missing+=("$(basename "$program")")
done
if [ ${#missing[@]} -gt 0 ]; then
    flavour=$(basename "$build")
    if [ "$build" = "$root/build/$flavour" ] && { [ "$flavour" = release ] || [ "$flavour" = debug ]; }; then
        echo "startup_bench: building ${missing[*]} ($flavour)" >&2
        (cd "$root" && scripts/build.sh "$flavour" "${missing[@]}")
    else
        echo "startup_bench: $build lacks ${missing[*]}; build them, for example with" >&2
        echo "  scripts/build.sh release quillane quillane_empty_window quillane-camsim" >&2
        echo "and measure with: bench/startup_bench.sh build/release" >&2
        exit 2
    fi
fi

# shellcheck source=../tests/net/netlab.sh
source "$root/tests/net/netlab.sh"
netlab_init
work=$(mktemp -d)
pc=$(netlab_ns pc)
netlab_link lan
netlab_pc_adapter lan eth0 198.18.0.1/24
netlab_camera_host cams lan 198.18.0.250/24
netlab_simulator cams "$work/cameras.json" "$camsim" --camera "mac=02:00:5e:20:00:01,ip=198.18.0.21" --count 4

# Xvfb picks a display number that no other X server uses and writes it once it is ready.
ip netns exec "$pc" Xvfb -displayfd 3 -screen 0 1024x640x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
NETLAB_PIDS+=($!)
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
display=$(head -1 "$work/display")
if [ -z "$display" ]; then
    echo "startup_bench: Xvfb did not start" >&2
    exit 1
fi
mkdir -m 700 "$work/runtime"

# One run: prints "<ms to first paint> <peak KiB>".
measure() {
    local program=$1 settle=$2 log="$work/log" pid start painted
    : >"$log"
    ip netns exec "$pc" env DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" \
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
    # Without its stamp there is no time to give, and a made-up one would spoil the figures.
    if [ -z "$painted" ]; then
        echo "startup_bench: $(basename "$program") showed no first page within 10 s; its output:" >&2
        tail -n 20 "$log" >&2
        exit 1
    fi
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
