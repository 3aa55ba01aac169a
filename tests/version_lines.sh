#!/usr/bin/env bash
# Each program answers --version with one line, "NAME VERSION (BUILD TYPE, COMPILER VERSION)",
# the version as the file VERSION writes it, and status 0 -- the desktop program without a display,
# so that it shows it opens no window to answer.
set -u
version=$(head -n 1 "$1")
shift
status=0
for program in "$@"; do
  name=$(basename "$program")
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" --version 2>&1)
  code=$?
  pattern="^$name ${version//./\\.} \\([A-Za-z]+, (GNU|Clang) [0-9]+\\.[0-9]+\\.[0-9]+\\)$"
  if [ $code -ne 0 ] || ! [[ $out =~ $pattern ]] || [ "$(printf '%s\n' "$out" | wc -l)" -ne 1 ]; then
    echo "$name --version: status $code, output: $out"
    status=1
  fi
done
exit $status
