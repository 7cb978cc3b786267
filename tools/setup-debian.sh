#!/bin/sh
# Installs the Debian packages that building, running and testing Kavrinto need (only the missing ones).
set -e
PACKAGES="cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev \
hunspell-ru hunspell-tools libchm-dev fp-utils bc xvfb xauth xdotool x11-xkb-utils imagemagick clang libclang-rt-14-dev \
hyperfine fonts-dejavu-core fonts-liberation file dpkg-dev desktop-file-utils man-db openbox x11-utils appstream"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
echo "Installing:$missing"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $missing
