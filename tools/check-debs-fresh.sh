#!/usr/bin/env bash
# Installs the packages in DIR with apt into a fresh Debian 12 root made by debootstrap (kept in
# ROOT, default /var/tmp/vorex-bookworm, and copied for each check), then runs the programs and
# the module there. This is what `apt install ./vorex_*.deb` meets on a machine that has never
# seen the build: every package the programs need must come from the declared dependencies.
# Needs root, debootstrap and Debian's mirror.
set -euo pipefail
debs=$(realpath "${1:?a folder of .deb files}")
base=${2:-/var/tmp/vorex-bookworm}
checkout=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -x "$base/usr/bin/apt-get" ]; then
  debootstrap --variant=minbase bookworm "$base" http://deb.debian.org/debian
fi
root=$(mktemp -d /var/tmp/vorex-fresh.XXXXXX)
cleanup() { umount "$root/proc" 2>/dev/null || true; rm -rf "$root"; }
trap cleanup EXIT
cp -a "$base/." "$root/"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
mkdir -p "$root/debs" "$root/tour/build"
cp "$debs"/vorex_*.deb "$debs"/python3-vorex_*.deb "$root/debs/"
cp "$checkout/examples/tour.vxs" "$root/tour/"
chroot "$root" /bin/sh -ec '
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends /debs/vorex_*.deb /debs/python3-vorex_*.deb
  vorex-cli --version
  vorex --version
  cd /tour && QT_QPA_PLATFORM=offscreen vorex-cli tour.vxs > /dev/null && test -s build/tour.png
  python3 -c "import vorex; r = vorex.simulate(); print(\"vorex\", vorex.__version__, r.I.max())"
  python3 -m vorex --version
'
echo "check-debs-fresh: the packages install and run on a fresh Debian 12"
