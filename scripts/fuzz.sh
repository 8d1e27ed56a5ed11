#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UBSan) and
# runs each for a bounded time on a seed corpus the program's own writers
# make.  Exits non-zero when a target finds a crash, a leak or a timeout;
# the reproducer is left in the build folder.  CI runs every target for a
# short time after the test suite (.ci/run).
#   scripts/fuzz.sh             every target for 60 seconds
#   scripts/fuzz.sh 300         every target for 300 seconds
#   scripts/fuzz.sh 60 fuzz_chunk_file    only the named targets
# QUORLIN_FUZZ_BUILD_DIR (default build-fuzz) and QUORLIN_FUZZ_JOBS (default:
# the number of cores) choose the build folder and the build's parallelism.
set -euo pipefail
cd "$(dirname "$0")/.."
# clang and its sanitizer runtimes come with the project's own packages.
scripts/install-deps.sh

SECONDS_EACH="${1:-60}"
shift || true
BUILD_DIR="${QUORLIN_FUZZ_BUILD_DIR:-build-fuzz}"
JOBS="${QUORLIN_FUZZ_JOBS:-$(nproc)}"

CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORLIN_BUILD_FUZZ=ON -DQUORLIN_BUILD_TESTS=OFF -DQUORLIN_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR" -j "$JOBS" --target quorlin_fuzz

if [ "$#" -gt 0 ]; then
  TARGETS=("$@")
else
  TARGETS=()
  for src in fuzz/fuzz_*.cpp; do TARGETS+=("$(basename "$src" .cpp)"); done
fi

SEEDS="$BUILD_DIR/fuzz-seeds"
rm -rf "$SEEDS"
"$BUILD_DIR/bin/make_fuzz_seeds" "$SEEDS"

status=0
for target in "${TARGETS[@]}"; do
  corpus="$BUILD_DIR/fuzz-corpus/$target"
  artifacts="$BUILD_DIR/fuzz-artifacts/$target/"
  mkdir -p "$corpus" "$artifacts"
  seeds="$SEEDS/$target"
  [ -d "$seeds" ] || seeds=""
  echo "fuzz: $target for ${SECONDS_EACH}s"
  if ! "$BUILD_DIR/bin/$target" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
       -max_len=65536 -print_final_stats=1 -artifact_prefix="$artifacts" \
       "$corpus" ${seeds:+"$seeds"} 2>"$BUILD_DIR/fuzz-$target.log"; then
    echo "fuzz: $target FAILED; see $BUILD_DIR/fuzz-$target.log and $artifacts" >&2
    tail -n 40 "$BUILD_DIR/fuzz-$target.log" >&2
    status=1
  else
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$BUILD_DIR/fuzz-$target.log" || true
  fi
done
exit $status
