#!/usr/bin/env bash
# The README's pictures: the main window with a cyclic voltammogram, the Experimental dialog and a
# written mechanism with its voltammogram, taken on the offscreen platform, and a plot picture
# written by vorex-cli.
# Usage: tools/screenshots.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
build=${1:-build}
out=${2:-docs}
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen "$build/bin/vorex-screenshots" "$out" 2>/dev/null
"$build/bin/vorex-cli" <<SCRIPT
mnuExperimental
FormExpr.ComboScan = 2 cycles
FormExpr.V = 0.1
FormExpr.ks(1) = 1e-2
click FormExpr.CmdOK
mnuSimulate
save-plot $out/plot-cli.png
SCRIPT
echo "Pictures written to $out/: main-window.png, experimental-dialog.png, written-mechanism.png, plot-cli.png"
