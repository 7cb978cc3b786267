#!/usr/bin/env bash
# Builds the Debian package from a built tree, unpacks it into a temporary root with dpkg-deb -x and
# checks it from there, away from the build: the control fields, the files and their places, the forms
# list searched where it is installed, the installed kavrinto-suche (run from another working directory,
# where it must find the installed word list and count what the build's copy counts, and the installed
# lexicon for --info), the help reader beside the program, the desktop entry, the AppStream metainfo,
# the man pages, and the launcher bin/kavrinto, which must start the program in share/kavrinto.
#
# Usage: tests/package/check-package.sh [BUILD-FOLDER]   (default: build)
set -euo pipefail

build=$(realpath "${1:-build}")
root=$(mktemp -d)
work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$root" "$work"
}
trap cleanup EXIT

fail() {
    echo "package check FAILED: $*" >&2
    exit 1
}

echo "== building the package"
rm -f "$build"/kavrinto_*.deb
(cd "$build" && cpack -G DEB) > "$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$build"/kavrinto_*.deb)
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"

echo "== control fields"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kavrinto ] || fail "package name is '$(field Package)'"
depends=$(field Depends)
echo "Depends: $depends"
# dpkg-shlibdeps found the libraries the programs link; the plugins and fonts were added by hand.
for dep in libqt6widgets6 libqt6gui6 libchm1 libsqlite3-0 libstdc++6 qt6-qpa-plugins fonts-liberation; do
    grep -q "\b$dep\b" <<<"$depends" || fail "Depends lacks $dep"
done
field Description | head -1 | grep -q "^rückläufiges Wörterbuch des Russischen" || fail "description"

echo "== files"
dpkg-deb -x "$deb" "$root"
usr="$root/usr"
for f in bin/kavrinto bin/kavrinto-suche bin/kavrinto-wortliste lib/kavrinto/kavrinto \
    lib/kavrinto/kavrinto-hilfeleser; do
    [ -f "$usr/$f" ] && [ -x "$usr/$f" ] || fail "$f missing or not executable"
done
for f in share/kavrinto/VokKavrinto.dat share/kavrinto/VokKavrintoFormen.dat \
    share/kavrinto/VokKavrintoLemmata.bin share/kavrinto/HilfeKavrinto.chm share/kavrinto/KavrintoLexikon.sqlite \
    share/applications/kavrinto.desktop share/icons/hicolor/16x16/apps/kavrinto.png \
    share/icons/hicolor/48x48/apps/kavrinto.png share/icons/hicolor/256x256/apps/kavrinto.png \
    share/man/man1/kavrinto.1.gz share/man/man1/kavrinto-suche.1.gz share/man/man1/kavrinto-wortliste.1.gz \
    share/doc/kavrinto/copyright share/doc/kavrinto/changelog.Debian.gz; do
    [ -f "$usr/$f" ] || fail "$f missing"
done
for f in VokKavrinto.dat VokKavrintoFormen.dat VokKavrintoLemmata.bin; do
    cmp "$usr/share/kavrinto/$f" "$build/bin/$f" || fail "installed $f differs from the build's"
done
grep -q "Modified versions must be clearly marked as such" "$usr/share/doc/kavrinto/copyright" ||
    fail "copyright lacks the word list's licence"
cmp "$usr/share/kavrinto/KavrintoLexikon.sqlite" "$build/bin/KavrintoLexikon.sqlite" || fail "installed lexicon differs"
grep -q "CC-BY-SA 3.0" "$usr/share/doc/kavrinto/copyright" || fail "copyright lacks the glosses' licence"
grep -q "Any modifications must be clearly marked as such" "$usr/share/doc/kavrinto/copyright" ||
    fail "copyright lacks festvox-ru's notice"

echo "== the installed forms list from another working directory"
expected=$(cd "$build/bin" && ./kavrinto-suche --file VokKavrintoFormen.dat --count ами)
got=$(cd "$work" && "$usr/bin/kavrinto-suche" --file "$usr/share/kavrinto/VokKavrintoFormen.dat" --count ами) ||
    fail "kavrinto-suche on the installed forms list failed"
echo "ами: $got hits in the installed forms list, $expected in the build"
[ "$got" = "$expected" ] && [ "$got" -gt 1000 ] || fail "the installed forms list counts $got, the build $expected"

echo "== kavrinto-suche from another working directory"
expected=$(cd "$build/bin" && ./kavrinto-suche --count ад)
got=$(cd "$work" && "$usr/bin/kavrinto-suche" --count ад) || fail "installed kavrinto-suche failed"
echo "ад: $got hits installed, $expected in the build"
[ "$got" = "$expected" ] && [ "$got" -gt 0 ] || fail "installed kavrinto-suche counts $got, the build $expected"
first=$(cd "$work" && "$usr/bin/kavrinto-suche" --keys --limit 1 fl)
[ "$first" = "ад" ] || fail "installed kavrinto-suche --keys fl gives '$first'"
info=$(cd "$work" && "$usr/bin/kavrinto-suche" --info кровью) || fail "installed kavrinto-suche --info failed"
grep -qx "Grundform: кровь" <<<"$info" && grep -q "^Deutsch: Blut" <<<"$info" ||
    fail "installed kavrinto-suche --info кровью gives '$info'"
"$usr/bin/kavrinto-suche" --help | grep -q "/usr/share/kavrinto/VokKavrinto.dat" ||
    fail "--help does not name the installed word list"

echo "== help reader"
# The window runs it from its own folder on the help file of its working directory.
"$usr/lib/kavrinto/kavrinto-hilfeleser" "$usr/share/kavrinto/HilfeKavrinto.chm" > "$work/help.stream" ||
    fail "the installed help reader cannot read the installed help file"
head -n 1 "$work/help.stream" | grep -qx "KAVRINTO-HILFE 1" || fail "the help reader's stream has no start"
tail -n 1 "$work/help.stream" | grep -qx "ENDE [1-9][0-9]*" || fail "the help reader's stream has no end"
echo "help reader: $(tail -n 1 "$work/help.stream")"

echo "== desktop entry"
desktop-file-validate "$usr/share/applications/kavrinto.desktop" || fail "desktop-file-validate"
grep -qx "Exec=kavrinto" "$usr/share/applications/kavrinto.desktop" || fail "Exec"
grep -qx "Categories=Education;Languages;Dictionary;" "$usr/share/applications/kavrinto.desktop" ||
    fail "Categories"

echo "== AppStream metainfo"
metainfo="$usr/share/metainfo/org.example.kavrinto.metainfo.xml"
[ -f "$metainfo" ] || fail "share/metainfo/org.example.kavrinto.metainfo.xml missing"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli validate"
grep -q '<launchable type="desktop-id">kavrinto.desktop</launchable>' "$metainfo" || fail "metainfo launchable"
grep -q '<summary xml:lang="de">' "$metainfo" || fail "metainfo lacks a German summary"

echo "== man pages"
for page in kavrinto kavrinto-suche kavrinto-wortliste; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man page $page: $warnings"
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$usr/share/man/man1/$page.1.gz" 2>/dev/null | grep -q BEZEICHNUNG ||
        fail "man page $page does not render"
done

echo "== launcher"
# Offscreen the program shows its start dialog and waits there; it must run as the installed program,
# in the folder of its word list and help file, whichever folder it was started from.
(cd "$work" && QT_QPA_PLATFORM=offscreen exec "$usr/bin/kavrinto") > "$work/kavrinto.log" 2>&1 &
pid=$!
for _ in $(seq 50); do
    [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$usr/lib/kavrinto/kavrinto" ] && break
    sleep 0.1
done
sleep 1
kill -0 "$pid" 2>/dev/null || { cat "$work/kavrinto.log"; fail "the program ended at once"; }
[ "$(readlink "/proc/$pid/exe")" = "$usr/lib/kavrinto/kavrinto" ] || fail "the launcher ran $(readlink "/proc/$pid/exe")"
[ "$(readlink "/proc/$pid/cwd")" = "$usr/share/kavrinto" ] || fail "the program runs in $(readlink "/proc/$pid/cwd")"
echo "running as $(readlink "/proc/$pid/exe") in $(readlink "/proc/$pid/cwd")"

echo "package check passed"
