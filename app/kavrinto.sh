#!/bin/sh
# Starts the installed Kavrinto. The program reads its word list VokKavrinto.dat and its help file
# HilfeKavrinto.chm from its working directory, so it runs in share/kavrinto; both folders are found
# beside the bin folder this launcher lies in (symbolic links followed), wherever the package lies.
here=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$here")
if ! cd "$prefix/share/kavrinto" 2>/dev/null; then
    # The window then reports the missing word list itself, where a user started from the menu sees it.
    echo "kavrinto: Der Ordner $prefix/share/kavrinto fehlt; das Programm sucht seine Dateien im Arbeitsverzeichnis." >&2
fi
exec "$prefix/lib/kavrinto/kavrinto" "$@"
