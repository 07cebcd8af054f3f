#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# --version and --help of the programs: each names itself and the one project version, and the
# wizard answers both without a display and without opening a window.
#   program_options.sh VERSION QUILLANE-CLI QUILLANE-CAMSIM [QUILLANE]
set -u
version=$1
cli=$2
camsim=$3
wizard=${4:-}
failures=0

check() {
    local expect=$1
    shift
    local output code
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$@" 2>&1)
    code=$?
    if [ "$code" -ne 0 ] || [[ "$output" != *"$expect"* ]]; then
        echo "FAIL: $* -> exit $code, output:"
        echo "$output" | head -n 5
        echo "  expected exit 0 and '$expect'"
        failures=$((failures + 1))
    fi
}

check "quillane-cli $version" "$cli" --version
check "Usage: quillane-cli" "$cli" --help
check "quillane-camsim $version" "$camsim" --version
check "Usage: quillane-camsim" "$camsim" --help
if [ -n "$wizard" ]; then
    check "quillane $version" "$wizard" --version
    check "quillane $version" "$wizard" -platform offscreen --version
    check "Usage: quillane" "$wizard" --help
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures case(s) failed"
    exit 1
fi
echo "all cases passed"
