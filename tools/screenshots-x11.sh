#!/usr/bin/env bash
# The README's pictures of the desktop program as a user sees it: the program under a real X
# server (Xvfb) with a window manager (openbox), driven from the keyboard with xdotool, and the
# screen taken with ImageMagick's import. Installs the three tools from Debian when missing.
# Usage: tools/screenshots-x11.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
build=${1:-build}
out=${2:-docs}
mkdir -p "$out"
need=()
command -v Xvfb >/dev/null || need+=(xvfb)
command -v openbox >/dev/null || need+=(openbox)
command -v xdotool >/dev/null || need+=(xdotool)
command -v import >/dev/null || need+=(imagemagick)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get install -y "${need[@]}"
fi

display=:57
Xvfb $display -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
pids=($xvfb)
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
"$build/bin/vorex" >/dev/null 2>&1 &
pids+=($!)

key() { xdotool key --delay 150 "$@"; sleep 0.8; }
shot() { import -window root "$out/$1"; echo "  $out/$1"; }
window=$(xdotool search --sync --name "Vorex for Windows" | head -1)
xdotool windowactivate --sync "$window" windowmove --sync "$window" 0 0 windowsize --sync "$window" 1270 780
sleep 1

# From the keyboard alone: the Experimental dialog stays open and focused while F5 simulates.
key alt+i e                              # Input > Experimental...
key F5                                   # Run > Simulate, from the dialog
# (the dialog keeps the focus: the next key hides it)
key Escape                               # hides the dialog
key alt+a f                              # Analysis > Find Peak: the result window beside
# A rectangle dragged over the peak zooms (the Option dialog's ranges); the status bar reads
# out the point under the mouse.
xdotool mousemove 150 170 mousedown 1 mousemove 250 300 mousemove 420 560 mouseup 1
sleep 1
xdotool mousemove 250 300 mousemove 252 302
sleep 0.8
shot desktop-zoom.png
echo "Pictures written to $out/"
