#!/bin/sh
# Prints the published Blowfish initial tables as C++ rows: the hexadecimal digits of pi after the
# point, 8 to a word; the first 18 words are the P-array, the next 1024 are S1 to S4.
# Usage: gen-blowfish-tables.sh [FILE]   FILE: bc's output of the line below, kept from an earlier run
# (bc takes about two minutes).
set -eu

if [ $# -ge 1 ]; then
    digits=$(cat "$1")
else
    digits=$(echo 'obase=16; scale=10200; 4*a(1)' | BC_LINE_LENGTH=0 bc -l)
fi

printf '%s\n' "$digits" | tr -d '\\\n\r ' | awk '
{
    if (substr($0, 1, 2) != "3.") { print "bc output does not start with 3." > "/dev/stderr"; exit 1 }
    hex = substr($0, 3)
    # The last few digits bc prints are not reliable; 8400 digits leave a wide margin over 8336.
    if (length(hex) < 8400) { print "too few digits" > "/dev/stderr"; exit 1 }
    printf "constexpr std::array<uint32_t, 18> StandardP = {\n"
    row(0, 18, "P", 0)
    printf "};\n\n"
    printf "constexpr std::array<uint32_t, 1024> StandardS = {\n"
    for (box = 0; box < 4; box++) {
        row(18 + 256 * box, 256, "S" (box + 1), 1)
    }
    printf "};\n"
}
# Words first..first+n-1 of the digits, 4 to a line, each line with the range of indices it holds.
function row(first, n, name, indexed,    i, j, line, last) {
    for (i = 0; i < n; i += 4) {
        line = "   "
        last = (i + 3 < n) ? i + 3 : n - 1
        for (j = i; j <= last; j++) {
            line = line " 0x" substr(hex, 8 * (first + j) + 1, 8) ","
        }
        printf "%-52s /* %s %d-%d */\n", line, name, i, last
    }
}
'
