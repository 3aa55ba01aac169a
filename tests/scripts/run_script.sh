#!/usr/bin/env bash
# Runs one vorex-cli script and compares its standard output, standard error and exit status with
# NAME.out, NAME.err and NAME.status beside it (a missing .err or .status means empty and 0), and
# the files it writes against NAME.files: one line a file, its name and the bytes it begins with.
set -u
cli=$1
script=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
script=$(cd "$(dirname "$script")" && pwd)/$(basename "$script")
base=${script%.vxs}
# Files the script writes land in a scratch folder, never in the source tree.
mkdir "$dir/work"
cp "$(dirname "$script")"/*.csv "$(dirname "$script")"/*.txt "$dir/work/" 2>/dev/null
(cd "$dir/work" && "$cli" "$script") >"$dir/printed" 2>"$dir/err"
status=$?
# The About window's line naming the build type and the compiler differs from build to build: the
# expected output writes it as TYPE build, COMPILER.
sed -E 's/^[A-Za-z]+ build, (GNU|Clang) [0-9]+\.[0-9]+\.[0-9]+$/TYPE build, COMPILER/' \
  "$dir/printed" >"$dir/out"
expected_status=0
[ -f "$base.status" ] && expected_status=$(cat "$base.status")
ok=1
if ! diff -u "$base.out" "$dir/out"; then ok=0; fi
if [ -f "$base.err" ]; then
  diff -u "$base.err" "$dir/err" || ok=0
elif [ -s "$dir/err" ]; then
  echo "unexpected standard error:"; cat "$dir/err"; ok=0
fi
if [ "$status" != "$expected_status" ]; then
  echo "exit status $status, expected $expected_status"; ok=0
fi
if [ -f "$base.files" ]; then
  while read -r name magic; do
    if [ "$(head -c ${#magic} "$dir/work/$name" 2>/dev/null)" != "$magic" ]; then
      echo "$name was not written, or does not begin as a ${magic#?} file does"; ok=0
    fi
  done <"$base.files"
fi
[ $ok = 1 ]
