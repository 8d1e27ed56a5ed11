#!/usr/bin/env bash
# Configures and builds the project.  Each build folder has one configuration,
# set in full here on every run: demo.sh, test.sh and update-golden.sh all
# build through this script, so whichever runs second finds the first one's
# build done and compiles nothing.  Warnings are errors in every build.
#   scripts/build.sh            release build in build/
#   scripts/build.sh --asan     AddressSanitizer + UBSan build in build-asan/
# --ci is still accepted and changes nothing: every build is the one CI makes.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=build
SANITIZE=OFF
BENCH=ON
for arg in "$@"; do
  case "$arg" in
    --ci) ;;
    --asan) BUILD_DIR=build-asan; SANITIZE=ON; BENCH=OFF ;;
    *) echo "build.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done

# Every option is given, so that a folder configured otherwise by hand is
# brought back to the one configuration rather than kept half different.
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORLIN_WERROR=ON \
  -DQUORLIN_SANITIZE="$SANITIZE" -DQUORLIN_BUILD_TESTS=ON -DQUORLIN_BUILD_BENCH="$BENCH" \
  -DQUORLIN_BUILD_FUZZ=OFF >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"
