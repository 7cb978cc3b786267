#!/usr/bin/env bash
# kavrinto-suche --forms --stdin --count with 2,000 endings against 2,000 runs of grep -c 'ENDUNG$' over
# the plain forms list, in one hyperfine sitting; beside them one --forms --count run and one grep.
# The endings are one to four final letters of words spread over the forms list; the plain list is the
# forms list as kavrinto-suche prints it.
#
# Usage: bench/bench_stdin.sh [BUILD-FOLDER]   (default: build)
set -euo pipefail

bin=$(realpath "${1:-build}")/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$bin"

./kavrinto-suche --forms "" > "$work/formen.txt"
perl -CSD -ne 'BEGIN { $n = 0 } push @w, $_; END {
    for my $q (0 .. 1999) {
        my $w = $w[int($q * @w / 2000)]; chomp $w;
        my $k = 1 + $q % 4; $k = length $w if $k > length $w;
        print substr($w, -$k), "\n";
    } }' "$work/formen.txt" > "$work/endungen.txt"
# grep reads the ending as a pattern: one with a pattern character would answer something else.
if grep -q -F -e '[' -e ']' -e '.' -e '*' -e '^' -e '$' -e '\' "$work/endungen.txt"; then
    echo "an ending holds a pattern character of grep" >&2
    exit 1
fi
echo "forms: $(wc -l < "$work/formen.txt"), endings: $(wc -l < "$work/endungen.txt")"

# Both sides give the same counts.
./kavrinto-suche --forms --stdin --count < "$work/endungen.txt" > "$work/suche.txt"
while read -r e; do printf '%s\t%s\n' "$e" "$(grep -c -- "$e\$" "$work/formen.txt")"; done \
    < "$work/endungen.txt" > "$work/grep.txt"
cmp "$work/suche.txt" "$work/grep.txt"

hyperfine --warmup 1 --runs 3 --export-json "$work/batch.json" \
    -n 'kavrinto-suche --forms --stdin --count (2000 endings)' \
    "./kavrinto-suche --forms --stdin --count < $work/endungen.txt > /dev/null" \
    -n "grep -c 'ENDUNG\$' x 2000" \
    "while read -r e; do grep -c -- \"\$e\\\$\" $work/formen.txt; done < $work/endungen.txt > /dev/null"
hyperfine --warmup 3 --runs 20 -N --export-json "$work/one.json" \
    -n 'kavrinto-suche --forms --count ами' "./kavrinto-suche --forms --count ами" \
    -n "grep -c 'ами\$'" "grep -c ами\$ $work/formen.txt"

# The medians, which hyperfine's own summary does not give.
perl -CO -MJSON::PP -e 'for my $f (@ARGV) {
    local $/; open my $h, "<", $f or die; my $r = decode_json(<$h>);
    printf "median %8.1f ms  %s\n", 1000 * $_->{median}, $_->{command} for @{$r->{results}};
}' "$work/batch.json" "$work/one.json"
