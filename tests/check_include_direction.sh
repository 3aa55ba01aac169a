#!/usr/bin/env bash
# Fails when a file under src/ includes a header of a folder above its own. The folders stand in
# this order, each building only on those before it; the build enforces it through the include
# roots, and this check says which line broke it. With --self-test it first plants upward
# includes in a scratch tree and fails unless each of them is caught.
set -u
layers=(base readers experiment curves analysis simulation fitting plot shell validation ui)

rank() {
  local i
  for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done
  echo -1
}

# Prints every upward include under $1/src; status 1 when there is one.
upward_includes() {
  local root=$1 found=0 file folder target line
  while IFS= read -r hit; do
    file=${hit%%:*}
    folder=${file#"$root"/src/}
    folder=${folder%%/*}
    line=${hit#*:}
    target=$(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([a-z_]+)\/.*/\1/p' <<<"${line#*:}")
    [ -n "$target" ] || continue
    local own up
    own=$(rank "$folder")
    up=$(rank "$target")
    if [ "$own" -ge 0 ] && [ "$up" -gt "$own" ]; then
      echo "${hit#"$root"/}: $folder must not include $target"
      found=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$root/src" \
             --include='*.h' --include='*.cpp')
  return $found
}

if [ "${1:-}" = "--self-test" ]; then
  shift
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  mkdir -p "$scratch/src/analysis" "$scratch/src/simulation" "$scratch/src/shell"
  printf '#include "analysis/column_operators.h"\n' > "$scratch/src/simulation/fine.cpp"
  printf '#include "shell/program.h"\n' > "$scratch/src/simulation/planted.cpp"
  # The store sits below the numerics, the drawing of it above them.
  printf '#include "curves/curve_store.h"\n' > "$scratch/src/analysis/fine.cpp"
  printf '#include "plot/plot_renderer.h"\n' > "$scratch/src/analysis/planted.cpp"
  caught=$(upward_includes "$scratch")
  if ! grep -q 'simulation/planted.cpp:1:.*simulation must not include shell' <<<"$caught" ||
     ! grep -q 'analysis/planted.cpp:1:.*analysis must not include plot' <<<"$caught" ||
     grep -q fine.cpp <<<"$caught"; then
    echo "self-test: the planted upward includes were not caught alone: $caught"
    exit 1
  fi
  echo "self-test: the planted upward includes are caught"
fi

root=${1:-.}
if ! upward_includes "$root"; then
  exit 1
fi
echo "no upward include under src/"
