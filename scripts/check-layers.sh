#!/usr/bin/env bash
# Checks that the folders of src/ include only downward, in the order of
# docs/ENGINE.md.  A folder may include itself and the folders before it in
# LAYERS; cli and gui sit on top of all of them and of platform/qt, and may
# not include each other; platform/qt may include only platform.  brushes/
# is the generated header of the brush strips, below everything.  Prints
# every include that breaks the order as FILE:LINE: the include and why, and
# exits with 1 if there is any.
#   scripts/check-layers.sh          src/ of this repository
#   scripts/check-layers.sh ROOT     src/ of the tree at ROOT
set -euo pipefail

LAYERS="brushes platform framework raster views filters render colors regions outline separation persistence export app"
TOPS="cli gui"

root="${1:-$(dirname "$0")/..}"
if [ "$#" -gt 1 ] || [ ! -d "$root/src" ]; then
  echo "usage: scripts/check-layers.sh [ROOT]" >&2
  exit 2
fi
cd "$root"

{ grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' src || true; } |
  LC_ALL=C sort -t: -k1,1 -k2,2n |
  awk -v layers="$LAYERS" -v tops="$TOPS" '
    # The layer of a path below src/: its first folder, platform/qt apart
    # (platform/headless belongs to platform).
    function layer_of(path) {
      sub(/^src\//, "", path)
      if (path ~ /^platform\/qt\//) return "platform/qt"
      sub(/\/.*/, "", path)
      return path
    }
    BEGIN {
      n = split(layers, order, " ")
      for (i = 1; i <= n; ++i) rank[order[i]] = i
      split(tops, top, " ")
      for (i in top) { rank[top[i]] = n + 1; isTop[top[i]] = 1 }
      rank["platform/qt"] = n + 1
    }
    {
      split($0, part, ":")
      file = part[1]; line = part[2]
      text = $0; sub(/^[^:]*:[^:]*:[[:space:]]*/, "", text)
      included = text; sub(/^[^"]*"/, "", included); sub(/".*$/, "", included)
      from = layer_of(file); to = layer_of(included)
      ++count
      why = ""
      if (!(from in rank)) why = from " is not in the layer order"
      else if (!(to in rank)) why = to " is not in the layer order"
      else if (from == to) why = ""
      else if (from == "platform/qt") { if (to != "platform") why = "platform/qt may include only platform" }
      else if (to == "platform/qt") { if (!(from in isTop)) why = from " may not include platform/qt" }
      else if (rank[to] >= rank[from]) why = from " may not include " to
      if (why != "") { print file ":" line ": " text ": " why; ++bad }
    }
    END {
      if (bad > 0) {
        print "check-layers: " bad " of " count " includes break the layer order" > "/dev/stderr"
        exit 1
      }
      print "check-layers: all " count " includes follow the layer order"
    }'
