#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Xvfb with one wineserver.
# Extra arguments go to ctest (for example -R framework). BUILD_TARGETS="a b" builds only those
# targets; BUILD_DIR chooses another build tree.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

if [ -n "${BUILD_TARGETS:-}" ]; then
    targets=()
    for t in $BUILD_TARGETS; do targets+=(--target "$t"); done
    project_build "${targets[@]}"
else
    project_build
fi
start_xvfb
trap 'stop_wine; stop_xvfb' EXIT
start_wine

cd "$BUILD"
ctest --output-on-failure -j "$(nproc)" "$@"
