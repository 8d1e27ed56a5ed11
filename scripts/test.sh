#!/usr/bin/env bash
# Installs what is missing, builds (warnings are errors; the same build of
# build/ as demo.sh makes, so after the demo only what changed is compiled),
# and runs the whole test suite through CTest.
#   scripts/test.sh           the normal build
#   scripts/test.sh --asan    the suite under AddressSanitizer + UBSan
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

BUILD_DIR=build
if [ "${1:-}" = "--asan" ]; then
  scripts/build.sh --asan
  BUILD_DIR=build-asan
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
else
  scripts/build.sh
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)"
