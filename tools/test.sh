#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Xvfb with one wineserver.
# Extra arguments go to ctest (for example -R framework).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

project_build
start_xvfb
trap 'stop_wine; stop_xvfb' EXIT
start_wine

cd "$BUILD"
ctest --output-on-failure -j "$(nproc)" "$@"
