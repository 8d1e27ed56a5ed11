#!/usr/bin/env bash
# cmake --install of the build tree BUILD into a prefix of its own: both
# programs, the desktop entry, the icons in every size, and textures the
# installed quorlin finds next to itself.
set -euo pipefail
build="$1"
photo="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/quorlin bin/quorlin-separator share/applications/quorlin-separator.desktop; do
  [ -f "$prefix/$f" ] || { echo "missing $f" >&2; exit 1; }
done
for side in 16 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${side}x${side}/apps/quorlin-separator.png"
  # The PNG header's width field (bytes 17-20, big-endian) is the icon's side.
  [ "$(od -An -tu1 -j16 -N4 "$icon" | awk '{print $1*16777216+$2*65536+$3*256+$4}')" = "$side" ] ||
    { echo "icon $side is not $side pixels wide" >&2; exit 1; }
done
grep -qx 'Exec=quorlin-separator %f' "$prefix/share/applications/quorlin-separator.desktop"
env -u QUORLIN_TEXTURES "$prefix/bin/quorlin" separate "$photo" -o "$prefix/out.png" --textures color >/dev/null
[ -s "$prefix/out.png" ]
