#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, and only those that are
# missing.  Safe to run again and again.  Needs root (apt-get).
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build ccache pkg-config          # build
  qt6-base-dev qt6-image-formats-plugins           # GUI toolkit, picture codec (TIFF plugin)
  libgif-dev                                       # GIF writing
  libpotrace-dev                                   # tracing regions to vector paths (SVG export)
  librsvg2-bin                                     # rsvg-convert: the tests render the SVG export
  python3-pil imagemagick                          # the tests read and flatten the layered PSD export independently
  libgtest-dev libgmock-dev                        # unit tests
  libbenchmark-dev                                 # benchmarks
  clang libclang-rt-14-dev                         # fuzzing (libFuzzer) and sanitizers
  clang-format git                                 # formatting check (scripts/check-format.sh)
  xvfb xauth fonts-dejavu-core                     # the desktop program on a virtual display (scripts/screenshots.sh)
)

missing=()
for p in "${PACKAGES[@]}"; do
  if [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#PACKAGES[@]} packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
