#!/usr/bin/env bash
# Fails when a Qt header is included outside src/ui/ and apps/vorex/: the core builds without Qt.
set -u
root=${1:-.}
cd "$root" || exit 1
hits=$(grep -rnE '^\s*#\s*include\s*[<"](Q[A-Za-z]*|Qt[A-Za-z]*/[^>"]*)[>"]' \
         --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.cc' \
         src apps tests bench fuzz tools 2>/dev/null | grep -vE '^(src/ui/|apps/vorex/|tests/ui/)')
if [ -n "$hits" ]; then
  echo "Qt headers outside src/ui and apps/vorex:"
  echo "$hits"
  exit 1
fi
echo "no Qt header outside src/ui and apps/vorex"
