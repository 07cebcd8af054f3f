#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Walks the wizard without real cameras: builds throw-away network namespaces (a "pc" and a
# link with simulated cameras: one in the pc's subnet, one in another subnet, two with wireless
# (one of them able to join by WPS), one "K7Z" model, offered WPS on the camera list) and
# starts the wizard in the pc namespace, so its search only reaches them.
#
#   sudo scripts/demo.sh [BUILD_DIR]             (default build/release, built when missing)
#
# Needs root: network namespaces and veth links can only be made by root. With a display
# (DISPLAY or WAYLAND_DISPLAY) the wizard opens there; without one it runs under Xvfb and
# screenshots of the screen are written to $QUILLANE_DEMO_SHOTS (default /tmp/quillane-demo).
# Set QUILLANE_DEMO_HEADLESS=1 to use Xvfb even with a display, QUILLANE_DEMO_XVFB=N for its
# display number (default 57).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "$(id -u)" -ne 0 ]; then
    echo "demo.sh: needs root, to build the network namespaces in which the simulated cameras live" >&2
    echo "demo.sh: (the wizard searches by broadcast; it must never search this machine's own network)" >&2
    exit 1
fi
# Everything below runs in a namespace of its own; this machine's network is never touched.
if [ "${QUILLANE_ISOLATED_NETNS:-}" != 1 ]; then
    exec "$root/scripts/in-test-netns.sh" "$0" "$@"
fi

build=${1:-build/release}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
wizard="$build/wizard/quillane"
camsim="$build/tools/camsim/quillane-camsim"
if [ ! -x "$wizard" ] || [ ! -x "$camsim" ]; then
    (cd "$root" && scripts/build.sh release)
    build="$root/build/release"
    wizard="$build/wizard/quillane"
    camsim="$build/tools/camsim/quillane-camsim"
fi

# shellcheck source=../tests/net/netlab.sh
source "$root/tests/net/netlab.sh"
netlab_init
work=$(mktemp -d)
pc=$(netlab_ns pc)

netlab_link lan
netlab_pc_adapter lan eth0 198.18.0.1/24
netlab_camera_host cams lan 198.18.0.250/24
netlab_simulator cams "$work/cameras.json" "$camsim" \
    --camera "mac=02:00:5e:10:00:01,model=QC-210 Dome,name=Entrance,ip=198.18.0.21,gateway=198.18.0.1" \
    --camera "mac=02:00:5e:10:00:02,model=QC-120 Cube,name=Reception,ip=198.19.4.7,dhcp=0" \
    --camera "mac=02:00:5e:10:00:03,model=QC-400W Bullet,name=Car park,ip=198.18.0.34,wireless=1,wlanenable=1,essid=Site office,channel=6,opcodes=0xA1:0xA2:0xA3:0xA4:0xA5:0xA8:0xA9:0xAA:0xB2,wpspending=3,wpsssid=Warehouse" \
    --camera "mac=02:00:5e:10:00:04,model=QC-K7Z Pan,name=Loading bay,ip=198.18.0.40,dhcp=1,wireless=1,wlanenable=0,essid=Site office,wpspending=3,wpsssid=Warehouse" \
    --camera "mac=02:00:5e:10:00:05,model=QC-410W Mini,name=Gate,ip=198.18.0.35,wireless=1,wlanenable=1,essid=Site office,channel=6"

echo "demo.sh: five simulated cameras (user admin, password admin); their state: $work/cameras.json"

if [ -z "${QUILLANE_DEMO_HEADLESS:-}" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    if ! ip netns exec "$pc" "$wizard"; then
        echo "demo.sh: the wizard could not open on your display; as root it may need" >&2
        echo "demo.sh:   sudo --preserve-env=DISPLAY,XAUTHORITY scripts/demo.sh   (or xhost +si:localuser:root)" >&2
    fi
    echo "demo.sh: the simulated cameras now hold:"
    cat "$work/cameras.json"
    rm -rf "$work"
    exit 0
fi

shots=${QUILLANE_DEMO_SHOTS:-/tmp/quillane-demo}
mkdir -p "$shots"
# Xvfb and the wizard share the pc namespace, where the X server's socket is reachable.
xvfb=${QUILLANE_DEMO_XVFB:-57}
ip netns exec "$pc" Xvfb ":$xvfb" -screen 0 1024x640x24 -nolisten tcp >/dev/null 2>&1 &
NETLAB_PIDS+=($!)
for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$xvfb" ] && break
    sleep 0.05
done
runtime=$(mktemp -d)
ip netns exec "$pc" env DISPLAY=":$xvfb" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" "$wizard" &
wizard_pid=$!
# The search listens for three quiet seconds; then the list is complete.
shoot() {
    ip netns exec "$pc" env DISPLAY=":$xvfb" import -window root "$shots/$1.png"
    # Only the page: the empty screen around it is cut away.
    convert "$shots/$1.png" -trim +repage "$shots/$1.png"
}
sleep 1
shoot searching
sleep 4
shoot camera-list
kill "$wizard_pid" 2>/dev/null || true
wait "$wizard_pid" 2>/dev/null || true
echo "demo.sh: no display here; screenshots of the wizard are in $shots"
rm -rf "$work" "$runtime"
