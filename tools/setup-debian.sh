#!/bin/sh
# Installs the Debian packages that building, running and testing Kavrinto need (only the missing ones).
set -e
PACKAGES="cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev \
hunspell-ru hunspell-tools libchm-dev fp-utils bc xvfb xauth xdotool x11-xkb-utils imagemagick clang libclang-rt-14-dev \
hyperfine fonts-dejavu-core fonts-liberation file dpkg-dev desktop-file-utils man-db openbox x11-utils appstream \
dict-freedict-deu-rus libsqlite3-dev sqlite3"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $missing
fi

# festvox-ru's lexicon (stress and word class), taken once out of the downloaded package into a cache
# folder that the build reads (data/CMakeLists.txt): the package itself is 180 MB of sound files and is
# not installed.
CACHE="${KAVRINTO_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/kavrinto}/festvox-ru"
LEXICON=./usr/share/festival/voices/russian/msu_ru_nsh_clunits/dict/msu_ru_nsh_dict.scm
if [ ! -s "$CACHE/msu_ru_nsh_dict.scm" ] || [ ! -s "$CACHE/copyright" ] || [ ! -s "$CACHE/version" ]; then
    echo "Taking msu_ru_nsh_dict.scm out of festvox-ru into $CACHE"
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    (cd "$work" && apt-get download festvox-ru) || { $SUDO apt-get update -q && (cd "$work" && apt-get download festvox-ru); }
    deb=$(ls "$work"/festvox-ru_*.deb)
    dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$work" "$LEXICON" ./usr/share/doc/festvox-ru/copyright
    mkdir -p "$CACHE"
    dpkg-deb -f "$deb" Version > "$work/version"
    # Each file appears complete or not at all.
    for f in "$work/$LEXICON" "$work/usr/share/doc/festvox-ru/copyright" "$work/version"; do
        cp "$f" "$CACHE/.tmp" && mv "$CACHE/.tmp" "$CACHE/$(basename "$f")"
    done
fi
