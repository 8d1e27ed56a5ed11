#!/usr/bin/env bash
# Configures and builds the project.
#   scripts/build.sh            release build in build/
#   scripts/build.sh --ci       the same with warnings as errors
#   scripts/build.sh --asan     AddressSanitizer + UBSan build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=build
CMAKE_ARGS=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
for arg in "$@"; do
  case "$arg" in
    --ci) CMAKE_ARGS+=(-DQUORLIN_WERROR=ON) ;;
    --asan) BUILD_DIR=build-asan; CMAKE_ARGS+=(-DQUORLIN_SANITIZE=ON -DQUORLIN_BUILD_BENCH=OFF) ;;
    *) echo "build.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done

cmake -S . -B "$BUILD_DIR" "${CMAKE_ARGS[@]}" >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"
