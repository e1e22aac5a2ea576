#!/usr/bin/env bash
# Reads the import table of each program given and fails on any function
# that tests/imports/windows95.txt does not list for its kind (32 or 64-bit),
# and on any DLL the list does not name. The Windows loader refuses a
# program whose imports the system lacks, before WinMain; Wine exports
# everything, so no test run under it can see that. A 32-bit program must
# also say in its header that it takes addresses above 2 GB: without the
# flag a picture of a gigabyte finds no room on a 64-bit system.
set -uo pipefail
list=$(dirname "$0")/windows95.txt
status=0
for exe in "$@"; do
    format=$(x86_64-w64-mingw32-objdump -f "$exe" | sed -n 's/.*file format //p')
    [ -n "$format" ] || { echo "imports: cannot read $exe"; status=1; continue; }
    header=$(x86_64-w64-mingw32-objdump -f -p "$exe" | sed -n '/^Characteristics/,/^$/p')
    if [ "$format" = pei-i386 ] && ! grep -q '^[[:space:]]*large address aware' <<<"$header"; then
        echo "header: $exe is not large-address-aware"
        status=1
    fi
    x86_64-w64-mingw32-objdump -p "$exe" | awk -v list="$list" -v exe="$exe" -v wide=$([ "$format" = pei-x86-64 ] && echo 1 || echo 0) '
        BEGIN {
            while ((getline line < list) > 0) {
                if (line ~ /^#/ || line !~ /[^ ]/) continue
                split(line, f, " ")
                dlls[f[2]] = 1
                if (f[1] == "95" || (f[1] == "x64" && wide)) allowed[f[2] " " f[3]] = 1
            }
        }
        /^\tDLL Name: / { dll = tolower($3); sub(/\.dll$/, "", dll); count++
                          if (!(dll in dlls)) { print exe ": imports " $3 ", not a system DLL of the list"; bad++ }
                          next }
        /^$/ { dll = "" }
        dll != "" && /^\t[0-9a-f]+\t/ {
            name = $NF
            if (!((dll " " name) in allowed)) { print exe ": imports " dll " " name ", not listed for this build"; bad++ }
        }
        END { if (!count) { print exe ": no import table found"; bad++ }; exit bad > 0 }' || status=1
done
[ $status = 0 ] && echo "imports: every import of $* is listed; the 32-bit ones are large-address-aware"
exit $status
