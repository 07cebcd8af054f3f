# SPDX-License-Identifier: Apache-2.0
# Sourced by the network test scripts: count failed checks, say what was expected, and end with
# one verdict once the test network is gone.

failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# has NAME TEXT PATTERN / lacks NAME TEXT PATTERN
has() {
    local what=$1 text=$2 pattern=$3
    if [[ "$text" != *"$pattern"* ]]; then
        fail "$what: expected '$pattern' in: $(echo "$text" | head -n 30)"
    fi
}

lacks() {
    local what=$1 text=$2 pattern=$3
    if [[ "$text" == *"$pattern"* ]]; then
        fail "$what: '$pattern' must not appear in: $(echo "$text" | head -n 5)"
    fi
}

# checks_finish WORK_DIR WHAT: stops the simulators (they write into WORK_DIR until then),
# removes WORK_DIR and exits with the verdict.
checks_finish() {
    netlab_cleanup
    rm -rf "$1"
    if [ "$failures" -ne 0 ]; then
        echo "$failures case(s) failed"
        exit 1
    fi
    echo "all $2 cases passed"
}
