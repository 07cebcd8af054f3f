#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Installs what is needed, builds every flavour and runs the whole suite inside a network
# namespace of its own: plain (gcc), under ThreadSanitizer (threaded layers and the GUI), and
# last under AddressSanitizer + UndefinedBehaviorSanitizer with short fuzz runs; then checks the
# Debian source and binary packages that it builds.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
for flavour in debug tsan asan; do
    scripts/build.sh "$flavour"
done
scripts/package.sh
version=$(sed -n 's/^project(Quillane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp
export QT_QPA_PLATFORM=offscreen

jobs=$(nproc)
scripts/in-test-netns.sh bash -c "
    set -e
    ctest --test-dir build/debug --output-on-failure -j $jobs
    ctest --test-dir build/tsan --output-on-failure -j $jobs -L 'threads|gui' --no-tests=ignore
    ctest --test-dir build/asan --output-on-failure -j $jobs
    tests/package/check_package.sh build/package $version
"
