#!/usr/bin/env bash
# Feeds `quorlin` damaged region lists and pictures, built with AddressSanitizer
# and UBSan, and counts what happened.  Every input is a file the program
# wrote itself (a list with an outline, and the layered image in all five
# picture formats), cut short at a random length or with a few random bytes
# changed.  Lists go through `rgl-info` and `render`, pictures through `info`
# and `separate`.  A run must end with exit 0, 1 or 2 within its time limit;
# a crash, a hang or a sanitizer report is a failure, and its input is kept.
#   scripts/mutate.sh              500 damaged files of each kind
#   scripts/mutate.sh 2000 7       2000 of each kind, random seed 7
# QUORLIN_MUTATE_DIR (default build-asan/mutate) holds the work and failures.
set -euo pipefail
cd "$(dirname "$0")/.."

COUNT="${1:-500}"
RANDOM="${2:-1}"
WORK="${QUORLIN_MUTATE_DIR:-build-asan/mutate}"
LIMIT=20   # seconds a run may take

[ -x build-asan/bin/quorlin ] || scripts/build.sh --asan >/dev/null
Q="$PWD/build-asan/bin/quorlin"
export QUORLIN_TEXTURES="$PWD/build-asan/bin/textures"
export ASAN_OPTIONS="exitcode=99:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:exitcode=98:print_stacktrace=1"

rm -rf "$WORK"
mkdir -p "$WORK/base" "$WORK/failed"
base="$WORK/base"
"$Q" separate resources/samples/coffee.png -o "$base/layered.png" --rgl "$base/list.rgl" \
  --outline "Pencil Medium" --textures color >/dev/null
for ext in bmp jpg gif tif; do "$Q" resample "$base/layered.png" -o "$base/layered.$ext" >/dev/null; done

runs=0 ok=0 failures=0

# Runs one command on a damaged file; a crash, hang or report keeps the file.
check() {
  local input="$1"; shift
  local status=0
  timeout -s KILL "$LIMIT" "$@" >/dev/null 2>"$WORK/stderr" || status=$?
  runs=$((runs + 1))
  if [ "$status" -le 2 ] && ! grep -qE "AddressSanitizer|LeakSanitizer|runtime error:" "$WORK/stderr"; then
    ok=$((ok + 1))
    return
  fi
  failures=$((failures + 1))
  local kept="$WORK/failed/$failures-$(basename "$input")"
  cp "$input" "$kept"
  cp "$WORK/stderr" "$kept.stderr"
  echo "mutate: exit $status from $* (kept as $kept)" >&2
}

# Writes a damaged copy of $1 to $2: cut short, or 1 to 8 bytes changed.
damage() {
  local from="$1" to="$2" size
  size=$(stat -c %s "$from")
  cp "$from" "$to"
  if [ $((RANDOM % 2)) -eq 0 ]; then
    truncate -s $(( (RANDOM * 32768 + RANDOM) % size )) "$to"
  else
    local n=$((1 + RANDOM % 8))
    for _ in $(seq "$n"); do
      printf "\\x$(printf %02x $((RANDOM % 256)))" |
        dd of="$to" bs=1 seek=$(( (RANDOM * 32768 + RANDOM) % size )) conv=notrunc status=none
    done
  fi
}

for i in $(seq "$COUNT"); do
  damage "$base/list.rgl" "$WORK/damaged.rgl"
  check "$WORK/damaged.rgl" "$Q" rgl-info "$WORK/damaged.rgl"
  check "$WORK/damaged.rgl" "$Q" render "$WORK/damaged.rgl" -o "$WORK/out.png" --no-photo
  for ext in png bmp jpg gif tif; do
    damage "$base/layered.$ext" "$WORK/damaged.$ext"
    check "$WORK/damaged.$ext" "$Q" info "$WORK/damaged.$ext"
    [ $((i % 5)) -eq 0 ] && check "$WORK/damaged.$ext" "$Q" separate "$WORK/damaged.$ext" -o "$WORK/out.png"
  done
done

echo "mutate: $runs runs on $((COUNT * 6)) damaged files: $ok ended well, $failures failed"
[ "$failures" -eq 0 ]
