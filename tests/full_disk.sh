#!/usr/bin/env bash
# Every file the program writes (CSV, report, SVG, PNG, PDF) onto a full disk: each command says
# so, the good file written before stays byte for byte, and no scrap is left beside it. It needs
# a small file system of its own, which only root may mount: skipped (77) otherwise.
set -u
cli=$1
[ "$(id -u)" = 0 ] || exit 77
dir=$(mktemp -d)
disk=$dir/disk
mkdir "$disk"
if ! mount -t tmpfs -o size=256k tmpfs "$disk" 2>/dev/null; then rm -rf "$dir"; exit 77; fi
trap 'umount -l "$disk"; rm -rf "$dir"' EXIT
files="curve.csv run.par plot.svg plot.png clip.png plot.pdf"

# Each run simulates at its own scan rate, so the files it writes differ from the last run's.
write() {
  cat >"$dir/s.vxs" <<SCRIPT
mnuExperimental
FormExpr.V = $1
mnuSimulate
mnuExport $disk/curve.csv
mnuSave $disk/run.par
save-plot $disk/plot.svg
save-plot $disk/plot.png
mnuCopyto $disk/clip.png
mnuPrint $disk/plot.pdf
SCRIPT
  "$cli" "$dir/s.vxs" >"$dir/out" 2>"$dir/err"
}

write 0.01
if [ -s "$dir/err" ]; then echo "the first run could not write:"; cat "$dir/err"; exit 1; fi
mkdir "$dir/good"
for f in $files; do cp "$disk/$f" "$dir/good/$f"; done
dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null  # until the disk is full

write 0.1
ok=1
said=$(grep -c "No space left on device" "$dir/err")
if [ "$said" != 6 ]; then echo "expected 6 messages of a full disk, got:"; cat "$dir/err"; ok=0; fi
for f in $files; do
  cmp -s "$disk/$f" "$dir/good/$f" || { echo "$f was changed"; ok=0; }
done
left=$(ls -A "$disk" | sort | tr '\n' ' ')
expected=$(printf '%s\n' $files filler | sort | tr '\n' ' ')
[ "$left" = "$expected" ] || { echo "the disk holds: $left"; ok=0; }
[ $ok = 1 ]
