#!/usr/bin/env bash
# Installs what is missing, builds (the same build of build/ as test.sh, so
# either one reuses the other's), and runs the main job on the bundled sample
# photo.  The results land in ./quorlin-demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build/bin/quorlin demo "$@"
