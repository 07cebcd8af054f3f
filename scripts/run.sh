#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Installs what is needed, builds Quillane and starts the wizard. The wizard searches the
# network it is started in for cameras.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh release

wizard=build/release/wizard/quillane
if [ ! -x "$wizard" ]; then
    echo "run.sh: the build finished, but $wizard is missing; see the output of scripts/build.sh release." >&2
    exit 1
fi
exec "$wizard" "$@"
