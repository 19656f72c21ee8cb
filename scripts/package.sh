#!/usr/bin/env bash
# Builds an optimised tree in build-deb/ and the Debian package build-deb/trevanor_<version>_<arch>.deb.
#
#   scripts/package.sh          build the package
#   scripts/package.sh --test   build it, then install it on a clean Debian 12 system (a minimal
#                               debootstrap chroot under /tmp, kept for later runs), start Trevanor
#                               there from its desktop entry on a virtual display, take a
#                               screenshot of its first window (build-deb/first-window.png) and
#                               leave it through File, Exit. Needs root (chroot, mount).
#
# TREVANOR_CHROOT (default /tmp/trevanor-chroot) holds the cached system and downloaded packages;
# TREVANOR_MIRROR (default http://deb.debian.org/debian) is the Debian mirror.
set -euo pipefail
cd "$(dirname "$0")/.."

test_install=false
case "${1:-}" in
    "") ;;
    --test) test_install=true ;;
    *) echo "usage: scripts/package.sh [--test]" >&2; exit 2 ;;
esac

extra=(dpkg-dev file)
$test_install && extra+=(debootstrap)
bash scripts/deps.sh "${extra[@]}"

cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DTREVANOR_TESTS=OFF -DTREVANOR_BENCH=OFF
cmake --build build-deb -j "$(nproc)"
rm -f build-deb/trevanor_*.deb
(cd build-deb && cpack -G DEB)
deb=$(ls build-deb/trevanor_*.deb)
echo
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
echo "Package: $deb"

$test_install || exit 0

# ---- install on a clean system -------------------------------------------------------------
[ "$(id -u)" -eq 0 ] || { echo "--test needs root (chroot and mount)" >&2; exit 1; }
cache=${TREVANOR_CHROOT:-/tmp/trevanor-chroot}
mirror=${TREVANOR_MIRROR:-http://deb.debian.org/debian}
base=$cache/bookworm-minbase.tar
root=$cache/system
mkdir -p "$cache/archives/partial"

mounted() { grep -q " $root/" /proc/self/mounts; }
unmount_all() {
    local m
    # Deepest first.
    for m in $(awk -v r="$root/" 'index($2, r) == 1 { print $2 }' /proc/self/mounts | sort -r); do
        umount -l "$m" || true
    done
}
trap unmount_all EXIT

if [ ! -f "$base" ]; then
    echo "Creating a minimal Debian 12 system (kept in $base)"
    rm -rf --one-file-system "$cache/bootstrap"
    debootstrap --variant=minbase bookworm "$cache/bootstrap" "$mirror"
    tar -C "$cache/bootstrap" -cf "$base.part" .
    mv "$base.part" "$base"
    rm -rf --one-file-system "$cache/bootstrap"
fi

unmount_all
if mounted; then echo "Something is still mounted under $root; not removing it." >&2; exit 1; fi
rm -rf --one-file-system "$root"
mkdir -p "$root"
tar -C "$root" -xf "$base"
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount --bind "$cache/archives" "$root/var/cache/apt/archives"
cp /etc/resolv.conf "$root/etc/resolv.conf"
echo "deb $mirror bookworm main" >"$root/etc/apt/sources.list"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root DEBIAN_FRONTEND=noninteractive "$@"; }

in_root apt-get update -qq
# Only what the package itself asks for: its recommendations are left out, so a missing
# dependency cannot hide behind them.
in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$deb")"
echo "--- installed files"
in_root dpkg -L trevanor
if in_root ldd /usr/bin/trevanor | grep 'not found'; then echo "FAIL: missing libraries" >&2; exit 1; fi
in_root trevanor-dump /usr/share/trevanor/samples/DEMO.MAP /usr/share/trevanor/samples/DEMO.F1 >/dev/null
echo "trevanor-dump reads the installed demo game."

# Tools for the test itself, installed after the package was checked alone.
in_root apt-get install -y -q --no-install-recommends xvfb xauth xdotool x11-utils imagemagick

exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/trevanor.desktop")
exec_line=${exec_line// %[fFuUdDnNickvm]/}
echo "Starting the desktop entry's command: $exec_line"
cat >"$root/tmp/first-window.sh" <<EOF
#!/bin/sh
# Runs inside the virtual display: start Trevanor, wait for its window, screenshot, File, Exit.
export XDG_CONFIG_HOME=/tmp/config XDG_RUNTIME_DIR=/tmp/runtime
mkdir -p /tmp/config /tmp/runtime && chmod 700 /tmp/runtime
$exec_line >/tmp/trevanor.log 2>&1 &
pid=\$!
i=0
until w=\$(xdotool search --onlyvisible --name '^Trevanor\$' 2>/dev/null); do
    i=\$((i + 1))
    if [ \$i -gt 300 ] || ! kill -0 \$pid 2>/dev/null; then
        echo "FAIL: no Trevanor window"; cat /tmp/trevanor.log; exit 1
    fi
    sleep 0.1
done
sleep 1
import -window root /tmp/first-window.png
xdotool windowfocus --sync \$w key alt+f
sleep 0.5
xdotool key x
i=0
while kill -0 \$pid 2>/dev/null; do
    i=\$((i + 1)); [ \$i -gt 100 ] && { echo "FAIL: Trevanor did not end after File, Exit"; exit 1; }
    sleep 0.1
done
wait \$pid || { echo "FAIL: Trevanor ended with status \$?"; cat /tmp/trevanor.log; exit 1; }
cat /tmp/trevanor.log
EOF
in_root xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" sh /tmp/first-window.sh
cp "$root/tmp/first-window.png" build-deb/first-window.png
echo "Installed and started on a clean Debian 12 system; screenshot: build-deb/first-window.png"
