#!/usr/bin/env bash
# scripts/check-format.sh on a small repository of its own: which files it
# checks, what it prints and how it exits.
#   tests/scripts/check-format-test.sh WholeTree|SinceARevision|Failures
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

export GIT_AUTHOR_NAME=test GIT_AUTHOR_EMAIL=test@example.com
export GIT_COMMITTER_NAME=test GIT_COMMITTER_EMAIL=test@example.com
cd "$work"
git init -q .
mkdir -p scripts src/deep
cp "$top/scripts/check-format.sh" scripts/
cp "$top/.clang-format" .

formatted='int Twice(int x) {\n  return 2 * x;\n}\n'
unformatted='int  Twice( int x ){return 2*x;}\n'
failed=0

# Runs scripts/check-format.sh with the given arguments and compares its exit
# code, standard output and standard error with the expected ones.
expect() {
  local code="$1" out="$2" err="$3"; shift 3
  local got=0
  scripts/check-format.sh "$@" >"$work/out" 2>"$work/err" || got=$?
  if [ "$got" != "$code" ] || [ "$(cat "$work/out")" != "$out" ] || [ "$(cat "$work/err")" != "$err" ]; then
    echo "FAILED: check-format.sh $*" >&2
    echo "  exit $got, expected $code" >&2
    echo "  stdout: $(cat "$work/out")|, expected: $out|" >&2
    echo "  stderr: $(cat "$work/err")|, expected: $err|" >&2
    failed=1
  fi
}

case "${1:-}" in
  WholeTree)
    printf "$formatted" >src/good.cpp
    printf "$unformatted" >src/bad.h
    printf "$unformatted" >"src/deep/naïve name.cc"
    printf "$unformatted" >notes.txt
    git add -A && git commit -qm base
    printf "$unformatted" >src/untracked.cpp
    expect 1 $'src/bad.h\nsrc/deep/naïve name.cc' \
      "check-format: 2 of 3 C/C++ files are not formatted; clang-format -i FILE formats one"
    clang-format -i src/bad.h "src/deep/naïve name.cc"
    expect 0 "check-format: all 3 C/C++ files are formatted" ""
    ;;
  SinceARevision)
    printf "$unformatted" >src/old.cpp
    printf "$formatted" >src/edited.cpp
    printf "$formatted" >src/removed.cpp
    printf "$formatted" >src/kept.cpp
    git add -A && git commit -qm base
    printf "$unformatted" >src/added.h
    git add src/added.h && git commit -qm added
    git rm -q src/removed.cpp
    printf "$unformatted" >>src/edited.cpp
    expect 1 $'src/added.h\nsrc/edited.cpp' \
      "check-format: 2 of 2 C/C++ files changed since HEAD~1 are not formatted; clang-format -i FILE formats one" \
      HEAD~1
    expect 1 "src/edited.cpp" \
      "check-format: 1 of 1 C/C++ files changed since HEAD are not formatted; clang-format -i FILE formats one" \
      HEAD
    git checkout -q src/edited.cpp
    expect 0 "check-format: all 0 C/C++ files changed since HEAD are formatted" "" HEAD
    ;;
  Failures)
    printf "$unformatted" >src/bad.cpp
    git add -A && git commit -qm base
    expect 2 "" "check-format: nope is no revision of this repository" nope
    expect 2 "" "usage: scripts/check-format.sh [REVISION]" HEAD HEAD
    expect 2 "" "usage: scripts/check-format.sh [REVISION]" --all
    CLANG_FORMAT=no-such-clang-format \
      expect 2 "" "check-format: no-such-clang-format not found (scripts/install-deps.sh installs it)"
    ;;
  *)
    echo "usage: check-format-test.sh WholeTree|SinceARevision|Failures" >&2
    exit 2
    ;;
esac

exit "$failed"
