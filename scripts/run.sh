#!/usr/bin/env bash
# Installs what is needed, builds Quillane and starts the wizard. The wizard searches the
# network it is started in for cameras.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh release

wizard=build/release/wizard/quillane
if [ ! -x "$wizard" ]; then
    echo "run.sh: everything is built in build/release, but the wizard itself is not there yet."
    echo "run.sh: the template tool is: build/release/tools/cli/quillane-cli template dump FILE"
    exit 0
fi
exec "$wizard" "$@"
