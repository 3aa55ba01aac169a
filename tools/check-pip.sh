#!/usr/bin/env bash
# Installs the Python module with pip as a user would, from this checkout and with the system's
# packages only (no network), then uses it from outside the checkout:
#   1. into a fresh virtual environment that sees the system's NumPy and setuptools;
#   2. as a system-wide install does (an sdist, its wheel, pip install --break-system-packages),
#      but under a temporary --root, so the machine is left as it was.
# Usage: tools/check-pip.sh [--venv-only]. PYTHON names the interpreter (default: Debian's).
# CMAKE_CXX_COMPILER_LAUNCHER=ccache in the environment makes a second run quick.
set -euo pipefail

checkout=$(cd "$(dirname "$0")/.." && pwd)
python=${PYTHON:-/usr/bin/python3}
[ -x "$python" ] || python=$(command -v python3)
venv_only=false
case "${1:-}" in
  "") ;;
  --venv-only) venv_only=true ;;
  *) echo "usage: tools/check-pip.sh [--venv-only]" >&2; exit 2 ;;
esac

work=$(mktemp -d)
# pip builds in the checkout's build-pip/ (setup.cfg). It is moved away while the installed module
# is used, so nothing there can stand in for the install, and put back afterwards if it was there.
kept=""
if [ -e "$checkout/build-pip" ]; then
  kept="$work/build-pip-before"
  mv "$checkout/build-pip" "$kept"
  # A copy to build in, so an incremental build stays quick.
  cp -a "$kept" "$checkout/build-pip"
fi
finish() {
  rm -rf "$checkout/build-pip"
  [ -z "$kept" ] || mv "$kept" "$checkout/build-pip"
  rm -rf "$work"
}
trap finish EXIT

expected="vorex $(head -n 1 "$checkout/VERSION")"

# Runs the installed module with interpreter $1 (PYTHONPATH as set by the caller) from a folder
# outside the checkout; the module must load from under $2.
use_module() {
  local interpreter=$1 site=$2
  mkdir -p "$work/elsewhere"
  (
    cd "$work/elsewhere"
    version=$("$interpreter" -m vorex --version)
    if [ "$version" != "$expected" ]; then
      echo "python -m vorex --version printed '$version', not '$expected'" >&2
      exit 1
    fi
    "$interpreter" - "$site" "$checkout" <<'EOF'
import os
import sys

import numpy as np
import vorex

site, checkout = (os.path.realpath(p) + os.sep for p in sys.argv[1:3])
where = os.path.realpath(vorex.__file__)
assert where.startswith(site), f"vorex was imported from {where}, not from under {site}"
assert not where.startswith(checkout), f"vorex was imported from the checkout: {where}"
extension = os.path.realpath(vorex._vorex.__file__)
assert extension.startswith(site), f"the extension was loaded from {extension}"

r = vorex.simulate(technique="cv")
assert r.E.size > 100 and r.E.shape == r.I.shape, (r.E.shape, r.I.shape)
assert np.all(np.isfinite(r.I)), "the simulated currents are not all finite"
# A reversible reduction's peak current is far from zero (reduction currents are positive).
assert r.I.max() > 0 > r.I.min(), (r.I.min(), r.I.max())
print(f"{where}: {vorex.__version__}, {r.E.size} points, peak {r.I.max():.3e} A")
EOF
  )
}

echo "== pip install into a virtual environment"
"$python" -m venv --system-site-packages "$work/venv"
venv_python="$work/venv/bin/python"
(cd "$checkout" && "$venv_python" -m pip install --no-build-isolation --no-index --no-cache-dir .)
rm -rf "$checkout/build-pip"
venv_site=$("$venv_python" -c 'import sysconfig; print(sysconfig.get_path("purelib"))')
use_module "$venv_python" "$venv_site"
# The venv's pip knows the module as an installed distribution.
shown=$("$venv_python" -m pip show vorex)
grep -qx "Version: $(head -n 1 "$checkout/VERSION")" <<<"$shown" || {
  echo "pip show vorex gives another version:" >&2
  echo "$shown" >&2
  exit 1
}

if ! $venv_only; then
  echo "== sdist and wheel, installed as system-wide but under a temporary root"
  (cd "$checkout" && "$python" -m build --no-isolation --outdir "$work/dist" .)
  rm -rf "$checkout/build-pip"
  "$python" -m pip install --break-system-packages --no-index --no-deps --no-cache-dir \
    --root "$work/root" "$work"/dist/vorex-*.whl
  init=$(find "$work/root" -path '*/vorex/__init__.py' | head -n 1)
  [ -n "$init" ] || { echo "the wheel installed no vorex package under $work/root" >&2; exit 1; }
  system_site=$(dirname "$(dirname "$init")")
  PYTHONPATH="$system_site" use_module "$python" "$system_site"
fi
echo "pip install checks passed"
