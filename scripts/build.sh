#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Configures and builds one flavour into build/<flavour>: all of it, or only the targets named.
#   scripts/build.sh FLAVOUR [TARGET...]
#   release  optimised with Debian's hardening flags, what run.sh starts and the package holds
#   debug    gcc, warnings as errors, tests and benchmarks
#   asan     clang, AddressSanitizer + UndefinedBehaviorSanitizer, tests and fuzz targets
#   tsan     gcc, ThreadSanitizer, tests (the GUI tests too: the pages hand operations to a worker)
set -euo pipefail
cd "$(dirname "$0")/.."

flavour=${1:-debug}
shift || true
# The Qt parts are asked for each time: a tree once configured without them would otherwise
# build everything but the wizard and its tests.
common=(-G Ninja -DQUILLANE_WERROR=ON -DQUILLANE_BUILD_GUI=ON -UCMAKE_CXX_COMPILER_LAUNCHER)
case "$flavour" in
    release) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLANE_BUILD_TESTS=OFF -DQUILLANE_BUILD_BENCHMARKS=ON
                   -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON)
             if command -v dpkg-buildflags >/dev/null; then
                 export DEB_BUILD_MAINT_OPTIONS=hardening=+all
                 args+=("-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
                        "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)")
             fi ;;
    debug)   args=(-DCMAKE_BUILD_TYPE=Debug) ;;
    asan)    args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DQUILLANE_SANITIZE=address,undefined
                   -DQUILLANE_FUZZ=ON -DQUILLANE_BUILD_BENCHMARKS=OFF) ;;
    tsan)    args=(-DCMAKE_BUILD_TYPE=Debug -DQUILLANE_SANITIZE=thread -DQUILLANE_BUILD_BENCHMARKS=OFF) ;;
    *) echo "build.sh: unknown flavour '$flavour' (release, debug, asan, tsan)" >&2; exit 2 ;;
esac

cmake -S . -B "build/$flavour" "${common[@]}" "${args[@]}" >/dev/null
if [ $# -gt 0 ]; then
    cmake --build "build/$flavour" --target "$@"
else
    cmake --build "build/$flavour"
fi
