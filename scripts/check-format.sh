#!/usr/bin/env bash
# Checks that C and C++ files are formatted as .clang-format says, with
# Debian's clang-format (version 14, from scripts/install-deps.sh).  Prints
# each file that is not and exits with 1 if there is any; 2 for a wrong
# command line, an unknown revision or no clang-format.  Changes no file:
# `clang-format -i FILE` formats one.
#   scripts/check-format.sh          every tracked C/C++ file
#   scripts/check-format.sh main     only those changed since main (committed or not)
# CLANG_FORMAT names another clang-format program.
set -euo pipefail
cd "$(dirname "$0")/.."

CLANG_FORMAT="${CLANG_FORMAT:-clang-format}"
PATTERNS=('*.c' '*.cc' '*.cpp' '*.cxx' '*.h' '*.hh' '*.hpp' '*.inc')

if [ "$#" -gt 1 ] || [ "${1:-}" = "--help" ] || [[ "${1:-}" == -* ]]; then
  echo "usage: scripts/check-format.sh [REVISION]" >&2
  exit 2
fi
if ! command -v "$CLANG_FORMAT" >/dev/null; then
  echo "check-format: $CLANG_FORMAT not found (scripts/install-deps.sh installs it)" >&2
  exit 2
fi
version="$("$CLANG_FORMAT" --version | grep -oE 'version [0-9]+' | cut -d' ' -f2 || true)"
if [ "$version" != "14" ]; then
  echo "check-format: note: $CLANG_FORMAT is version ${version:-unknown}; the tree is formatted with 14" >&2
fi

if [ "$#" -eq 0 ]; then
  scope=""
  mapfile -d '' files < <(git ls-files -z -- "${PATTERNS[@]}")
else
  if ! git rev-parse --verify --quiet "$1^{commit}" >/dev/null; then
    echo "check-format: $1 is no revision of this repository" >&2
    exit 2
  fi
  scope=" changed since $1"
  # Files deleted since then are gone and have nothing to check.
  mapfile -d '' files < <(git diff -z --name-only --diff-filter=d "$1" -- "${PATTERNS[@]}")
fi

unformatted=0
for file in "${files[@]}"; do
  if ! "$CLANG_FORMAT" --dry-run -Werror "$file" >/dev/null 2>&1; then
    echo "$file"
    unformatted=$((unformatted + 1))
  fi
done

if [ "$unformatted" -gt 0 ]; then
  echo "check-format: $unformatted of ${#files[@]} C/C++ files$scope are not formatted;" \
    "clang-format -i FILE formats one" >&2
  exit 1
fi
echo "check-format: all ${#files[@]} C/C++ files$scope are formatted"
