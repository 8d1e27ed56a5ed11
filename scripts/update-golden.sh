#!/usr/bin/env bash
# Writes the golden results in tests/golden anew from what the program makes
# today, for a change of results that is meant.  Builds first when needed,
# then says per file whether it changed (and how many pixels differ) and
# gives the region count lines before and after.
#   scripts/update-golden.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh
export QT_QPA_PLATFORM=offscreen
QUORLIN_UPDATE_GOLDEN=1 build/bin/test_golden --gtest_brief=1 \
  --gtest_filter=Golden.TheWholeJobGivesThePinnedPicturesAndRegionCounts
echo "checking the written results:"
build/bin/test_golden --gtest_brief=1
git status --short -- tests/golden
