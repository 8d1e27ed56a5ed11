#!/usr/bin/env bash
# scripts/check-layers.sh on a small tree of its own: an upward, a sideways,
# a platform/qt and an unknown folder's include fail it, each named once;
# without them it passes.
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work"/src/{raster,cli,platform/qt,tools}
printf '#include "framework/Rects.h"\n#include "outline/PixelChain.h"\n' >"$work/src/raster/OffMap.cpp"
printf '#include "app/RegionEditorApp.h"\n#include "platform/qt/QtPictureCodec.h"\n#include "gui/MainFrame.h"\n' >"$work/src/cli/Cli.cpp"
printf '#include "platform/Text.h"\n#include "raster/OffMap.h"\n' >"$work/src/platform/qt/Codec.cpp"
printf '#include "raster/OffMap.h"\n' >"$work/src/tools/Tool.cpp"

got=0
"$top/scripts/check-layers.sh" "$work" >"$work/out" 2>"$work/err" || got=$?
diff -u - "$work/out" <<'OUT'
src/cli/Cli.cpp:3: #include "gui/MainFrame.h": cli may not include gui
src/platform/qt/Codec.cpp:2: #include "raster/OffMap.h": platform/qt may include only platform
src/raster/OffMap.cpp:2: #include "outline/PixelChain.h": raster may not include outline
src/tools/Tool.cpp:1: #include "raster/OffMap.h": tools is not in the layer order
OUT
diff -u - "$work/err" <<<"check-layers: 4 of 8 includes break the layer order"
[ "$got" = 1 ] || { echo "exit $got, expected 1" >&2; exit 1; }

rm -r "$work/src/tools" && sed -i '2d' "$work/src/raster/OffMap.cpp" "$work/src/platform/qt/Codec.cpp" && sed -i '3d' "$work/src/cli/Cli.cpp"
[ "$("$top/scripts/check-layers.sh" "$work")" = "check-layers: all 4 includes follow the layer order" ]
