#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any of them is missing. No prompts.
# `install-deps.sh packaging` adds the tools that build and check the Debian packages and the
# Python wheel.
set -euo pipefail
packages=(g++ cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
          qt6-base-dev qt6-qpa-plugins fonts-dejavu-core
          python3-dev pybind11-dev python3-pybind11 python3-numpy python3-pytest python3-dask
          python3-distributed desktop-file-utils)
if [ "${1:-}" = packaging ]; then
  packages+=(debhelper dh-python dpkg-dev lintian python3-build python3-wheel python3-setuptools
             python3-pip python3-venv debootstrap)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -q
  $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
