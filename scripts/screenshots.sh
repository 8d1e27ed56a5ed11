#!/usr/bin/env bash
# Runs the desktop program on a virtual X display (xvfb-run) and lets it
# photograph itself: it opens a sample photo, makes its separations and
# scrambles their colours, writing a picture of its window after each step
# (see src/gui/ScreenshotTour.h).
#   scripts/screenshots.sh [OUT_DIR] [PHOTO]
# OUT_DIR defaults to build/screenshots, PHOTO to the bundled chelsea.png.
# The program runs with settings of its own, so that a window layout saved
# by an earlier run does not change the pictures.  Builds first.
set -euo pipefail
cd "$(dirname "$0")/.."

OUT_DIR="${1:-build/screenshots}"
PHOTO="${2:-resources/samples/chelsea.png}"
if ! command -v xvfb-run >/dev/null; then
  echo "screenshots: xvfb-run not found (scripts/install-deps.sh installs it)" >&2
  exit 2
fi
if [ ! -f "$PHOTO" ]; then
  echo "screenshots: no photo $PHOTO" >&2
  exit 2
fi

scripts/build.sh >/dev/null
mkdir -p "$OUT_DIR"
rm -f "$OUT_DIR"/[0-9]-*.png
OUT_DIR="$(cd "$OUT_DIR" && pwd)"
PHOTO="$(cd "$(dirname "$PHOTO")" && pwd)/$(basename "$PHOTO")"
config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT

# A screen large enough for the frame's two rows of windows, at scale 1.
XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 \
  xvfb-run -a -s "-screen 0 1440x1080x24" \
  build/bin/quorlin-separator --screenshots "$OUT_DIR" "$PHOTO"
ls -1 "$OUT_DIR"/*.png
