#!/bin/bash
# check_install.sh BUILD SOURCE PYTHONDIR UI
# Installs the build, stripped, into a fresh folder and checks what packagers rely on: the
# layout, that nothing installed names the source or build tree, the desktop entry, the MIME
# types, the manual pages, and that the installed programs find their files in the installed
# tree alone. PYTHONDIR is the package folder relative to the prefix (empty without the module);
# UI is ON when the desktop program is built.
set -u
build=$1 source=$2 pythondir=$3 ui=$4
root=$(mktemp -d "${TMPDIR:-/tmp}/vorex-install.XXXXXX")
trap 'rm -rf "$root"' EXIT
prefix=$root/usr
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! cmake --install "$build" --prefix "$prefix" --strip > "$root/install.log" 2>&1; then
  cat "$root/install.log"
  echo "FAIL: cmake --install"; exit 1
fi

# The layout the packaging follows.
expected=(bin/vorex-cli bin/vorex-validate
  share/vorex/VorexDoc.htm share/vorex/written-mechanism.png
  share/vorex/validation-data/nicholson1965_reversible_switching.txt
  share/vorex/validation-data/nicholson1965_quasireversible_psi.txt
  share/doc/vorex/validation.md share/doc/vorex/validation-convergence.png
  share/doc/vorex/examples/tour.vxs share/doc/vorex/examples/data/ferricyanide-cv.txt
  share/applications/vorex.desktop share/mime/packages/vorex.xml
  share/icons/hicolor/scalable/apps/vorex.svg
  share/man/man1/vorex.1 share/man/man1/vorex-cli.1 share/man/man1/vorex-validate.1)
for n in 16 24 32 48 64 128 256; do expected+=("share/icons/hicolor/${n}x${n}/apps/vorex.png"); done
[ "$ui" = ON ] && expected+=(bin/vorex)
[ -n "$pythondir" ] && expected+=("$pythondir/vorex/__init__.py")
for f in "${expected[@]}"; do [ -f "$prefix/$f" ] || fail "missing $f"; done
[ -x "$prefix/bin/vorex-validate" ] || fail "bin/vorex-validate is not executable"
if [ -n "$pythondir" ] && ! ls "$prefix/$pythondir"/vorex/_vorex*.so > /dev/null 2>&1; then
  fail "missing the extension $pythondir/vorex/_vorex*.so"
fi
for n in 16 24 32 48 64 128 256; do
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  size=$(od -An -tu1 -j16 -N8 "$prefix/share/icons/hicolor/${n}x${n}/apps/vorex.png" |
    awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
  [ "$size" = "${n}x${n}" ] || fail "the ${n}x${n} icon is $size"
done

# Nothing installed may name the trees it came from (the build folder may lie outside the
# sources, so both are looked for).
for tree in "$(cd "$source" && pwd -P)" "$(cd "$build" && pwd -P)"; do
  named=$(grep -r -a -l -F "$tree" "$prefix")
  [ -z "$named" ] || fail "these name $tree: $named"
done
# Nor may a program look for libraries there.
if command -v readelf > /dev/null; then
  for program in "$prefix"/bin/*; do
    readelf -d "$program" | grep -E 'R(UN)?PATH' && fail "$program has an RPATH"
  done
fi

if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$prefix/share/applications/vorex.desktop" || fail "desktop-file-validate"
fi
/usr/bin/python3 - "$prefix/share/mime/packages/vorex.xml" << 'PY' || fail "the MIME types"
import sys
import xml.etree.ElementTree as tree
ns = "{http://www.freedesktop.org/standards/shared-mime-info}"
types = {t.get("type"): t for t in tree.parse(sys.argv[1]).getroot().iter(ns + "mime-type")}
want = {"application/x-vorex-project", "application/x-vorex-settings", "text/x-vorex-script"}
assert set(types) == want, types
# The settings are *.json: they must be told by their content, never claim every .json file.
assert types["application/x-vorex-settings"].find(ns + "glob") is None
assert types["text/x-vorex-script"].find(ns + "glob").get("pattern") == "*.vxs"
assert types["application/x-vorex-project"].find(ns + "glob").get("pattern") == "*.vorex"
PY

if command -v groff > /dev/null; then
  for page in "$prefix"/share/man/man1/*.1; do
    warnings=$(groff -man -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || fail "groff on $page: $warnings"
  done
fi
grep -q 'mnuSimulate' "$prefix/share/man/man1/vorex-cli.1" ||
  fail "vorex-cli.1 does not list the menu commands"

# The installed programs, away from the build: vorex-cli runs a script; vorex-validate runs a
# case built from the installed share/vorex tables (Nicholson's 60.5 mV separation for a switch
# 71.5 mV past E1/2), and stops with status 2 without them.
printf 'mnuExperimental\nFormExpr.Ru = 47.5\nshow FormExpr.Ru\n' > "$root/tiny.vxs"
output=$("$prefix/bin/vorex-cli" "$root/tiny.vxs" 2>&1) || fail "vorex-cli: $output"
case "$output" in *47.5*) ;; *) fail "vorex-cli printed: $output" ;; esac
output=$("$prefix/bin/vorex-validate" --case cycle.reversible.switch71.5 2>&1) ||
  fail "vorex-validate: $output"
case "$output" in *"theory 60.50 mV"*) ;; *) fail "vorex-validate printed: $output" ;; esac
mv "$prefix/share/vorex/validation-data" "$root/away"
"$prefix/bin/vorex-validate" --list > /dev/null 2>&1
[ $? = 2 ] || fail "vorex-validate ran without its tables"
mv "$root/away" "$prefix/share/vorex/validation-data"

if [ -n "$pythondir" ]; then
  PYTHONPATH="$prefix/$pythondir" /usr/bin/python3 -c \
    "import vorex, sys; sys.exit(0 if vorex.__file__.startswith('$prefix/') else 1)" ||
    fail "the installed Python package does not import"
fi

[ "$failures" = 0 ] && echo "The installation in $prefix is complete."
exit $((failures > 0))
