#!/usr/bin/env bash
# Checks installed Vorex files, away from the tree they were built in:
#   check-installed.sh --debs DIR   unpacks DIR's vorex and python3-vorex packages into a scratch
#                                   root and checks them there;
#   check-installed.sh ROOT PREFIX  checks an install made with DESTDIR=ROOT and that PREFIX.
# The programs run from the scratch root with the checkout's build folders out of their reach:
# only the installed files are used.
set -euo pipefail
checkout=$(cd "$(dirname "$0")/.." && pwd)
fail() { echo "check-installed: $*" >&2; exit 1; }
scratch=()
trap 'rm -rf "${scratch[@]}"' EXIT

if [ "${1:-}" = --debs ]; then
  debs=$(realpath "${2:?a folder of .deb files}")
  root=$(mktemp -d /tmp/vorex-root.XXXXXX)
  scratch+=("$root")
  for deb in "$debs"/vorex_*.deb "$debs"/python3-vorex_*.deb; do
    [ -f "$deb" ] || fail "no package matching $deb"
    dpkg-deb -x "$deb" "$root"
  done
  prefix=/usr
  python_dir=$root/usr/lib/python3/dist-packages
else
  root=$(realpath "${1:?the DESTDIR root}")
  prefix=${2:?the install prefix}
  python_dir=$(find "$root$prefix/lib" -type d -name vorex -path '*-packages/vorex' -printf '%h\n' | head -n1)
fi
bin=$root$prefix/bin
share=$root$prefix/share

echo "== the files are where they belong"
for f in "$bin/vorex" "$bin/vorex-cli" "$bin/vorex-validate" "$share/vorex/VorexDoc.htm" \
         "$share/applications/vorex.desktop" "$share/icons/hicolor/scalable/apps/vorex.svg" \
         "$share/icons/hicolor/48x48/apps/vorex.png" "$share/mime/packages/vorex.xml"; do
  [ -e "$f" ] || fail "missing ${f#"$root"}"
done
for page in vorex vorex-cli vorex-validate; do
  ls "$share/man/man1/$page.1"* >/dev/null 2>&1 || fail "missing the manual page $page.1"
done
[ -n "$python_dir" ] && [ -f "$python_dir/vorex/__init__.py" ] || fail "the Python module is not installed"

echo "== no installed file names the tree it was built in"
if grep -r -a -l -F "$checkout" "$root"; then fail "the files above hold the path $checkout"; fi

echo "== the desktop entry"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$share/applications/vorex.desktop"
fi

# The checkout's build folders are hidden from the programs by running them elsewhere, with a
# HOME of their own; nothing they need may come from the build tree.
work=$(mktemp -d /tmp/vorex-run.XXXXXX)
scratch+=("$work")
export HOME=$work QT_QPA_PLATFORM=offscreen
cd "$work"

echo "== vorex-cli --version and the tour"
"$bin/vorex-cli" --version
"$bin/vorex" --version
mkdir -p build
"$bin/vorex-cli" "$checkout/examples/tour.vxs" > tour.out
[ -s build/tour.png ] && [ -s build/tour.svg ] || fail "the tour drew no plot"

echo "== vorex-validate finds its tables"
# A case that reads Nicholson's published switching table (60.5 mV at 71.5 mV past E0).
"$bin/vorex-validate" --case cycle.reversible.switch71.5 | grep -F "theory 60.50 mV" ||
  fail "vorex-validate did not read its published table"

echo "== the Python module"
# Debian's interpreter, whose NumPy the packages depend on (another python3 may come first on
# the PATH).
PYTHONPATH=$python_dir PYTHONNOUSERSITE=1 /usr/bin/python3 - "$root" <<'PY'
import math, sys
import vorex
root = sys.argv[1]
assert vorex.__file__.startswith(root), f"vorex imported from {vorex.__file__}, not from {root}"
import numpy
curve = vorex.simulate()
assert len(curve.I) > 10 and numpy.all(numpy.isfinite(curve.I)), "the simulated currents are not finite"
assert curve.I.max() > 0, "the default sweep has no reduction peak"
print("vorex", vorex.__version__, "from", vorex.__file__)
PY
echo "check-installed: all installed files check out"
