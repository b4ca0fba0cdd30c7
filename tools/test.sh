#!/usr/bin/env bash
# Lints the tree, installs what is missing, builds, and runs every test under Xvfb with one
# wineserver. Extra arguments go to ctest (for example -R framework). BUILD_TARGETS="a b" builds
# only those targets; BUILD_DIR chooses another build tree. Lint findings fail the run at its end,
# after the tests, so that one run shows both.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

lint_failed=0
bash "$ROOT/tools/lint.sh" --self-test || lint_failed=1
bash "$ROOT/tools/lint.sh" || lint_failed=1

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
tests_failed=0
ctest --output-on-failure -j "$(nproc)" "$@" || tests_failed=1
if [ "$lint_failed" = 1 ]; then
    echo "test: tools/lint.sh reported findings (listed at the start of this run)" >&2
fi
[ "$lint_failed" = 0 ] && [ "$tests_failed" = 0 ]
