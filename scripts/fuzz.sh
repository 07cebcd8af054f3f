#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Runs every fuzz target of the asan build for SECONDS each (default 1800), JOBS at a time
# (default 2) at the lowest priority, with the seeds the test suite gives it. Each target
# writes build/asan/tests/fuzz/<target>.log; the exit status is 1 when any run found a fault.
set -euo pipefail
cd "$(dirname "$0")/../build/asan/tests/fuzz" 2>/dev/null ||
    { echo "fuzz.sh: build the asan flavour first (scripts/build.sh asan)" >&2; exit 2; }
seconds=${1:-1800}
jobs=${2:-2}

run_target() {
    local target=$1 seconds=$2
    # shellcheck disable=SC2046 # the seed folders are one word each
    nice -n 19 "./$target" -max_total_time="$seconds" -timeout=30 -close_fd_mask=1 -max_len=12000 \
        "$target-corpus" $(cat "$target.seeds") >"$target.log" 2>&1
}
export -f run_target

status=0
printf '%s\n' *.seeds | sed 's/\.seeds$//' |
    xargs -P "$jobs" -I{} bash -c 'run_target "$1" "$2" || { echo "fuzz.sh: $1 found a fault, see $1.log" >&2; exit 1; }' _ {} "$seconds" ||
    status=1
for log in *.log; do
    echo "${log%.log}: $(grep -E '^#[0-9]+' "$log" | tail -n 1)"
done
exit "$status"
