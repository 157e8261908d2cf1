#!/bin/sh
# Checks the resource files for mistakes that the resource compiler does not catch:
#   1. two identifiers of one kind (the same prefix) with the same number, or one
#      identifier defined twice, in resource.h;
#   2. an identifier with one of the project's prefixes used in a .rc file but not
#      defined in resource.h (windres would silently take it as a resource name);
#   3. a file named in a .rc file (icon, cursor, bitmap, manifest) that is missing;
#   4. a dialog-initialisation record whose byte count does not match its text.
#
# Usage: scripts/check-resources.sh [resource folder]   (default: res/ of this repository)
# Exits 0 when everything is in order, 1 with one message per problem otherwise.
# Needs only a POSIX shell, grep, sed and awk.

set -u

here=$(cd "$(dirname "$0")" && pwd)
resdir=${1:-"$here/../res"}
header="$resdir/resource.h"
status=0

fail() {
    echo "check-resources: $*" >&2
    status=1
}

if [ ! -f "$header" ]; then
    fail "missing $header"
    exit 1
fi
set -- "$resdir"/*.rc
if [ ! -f "$1" ]; then
    fail "no .rc files in $resdir"
    exit 1
fi

# Project prefixes; IDCUR_ must come before IDC_ so that cursors form their own kind.
prefix_re='(IDCUR|IDD|IDC|IDS|IDB|IDI|IDR|IDM|ID)_[A-Za-z0-9_]+'
# Windows' own names that share the prefixes.
builtin_re='^(IDC_STATIC|IDC_(ARROW|IBEAM|WAIT|CROSS|UPARROW|SIZE|ICON|SIZENWSE|SIZENESW|SIZEWE|SIZENS|SIZEALL|NO|HAND|APPSTARTING|HELP|PIN|PERSON)|IDI_(APPLICATION|HAND|QUESTION|EXCLAMATION|ASTERISK|WINLOGO|SHIELD|WARNING|ERROR|INFORMATION))$'

# --- 1. duplicates in resource.h ------------------------------------------------

defs=$(LC_ALL=C sed -n 's/^[[:space:]]*#[[:space:]]*define[[:space:]]\{1,\}\([A-Za-z_][A-Za-z0-9_]*\)[[:space:]]\{1,\}\([^[:space:]/]*\).*/\1 \2/p' "$header")

dups=$(printf '%s\n' "$defs" | LC_ALL=C awk -v re="^$prefix_re\$" '
    function num(v,    n, i, c, h) {
        gsub(/[()]/, "", v)
        sub(/[uUlL]+$/, "", v)
        if (v ~ /^-?[0-9]+$/) return v + 0
        if (v ~ /^0[xX][0-9a-fA-F]+$/) {
            h = "0123456789abcdef"; n = 0
            v = tolower(substr(v, 3))
            for (i = 1; i <= length(v); i++) n = n * 16 + index(h, substr(v, i, 1)) - 1
            return n
        }
        return "?" v
    }
    function kind(name) {
        if (name ~ /^IDCUR_/) return "IDCUR_"
        if (name ~ /^(IDM|ID)_/) return "IDM_/ID_ (commands)"
        return substr(name, 1, index(name, "_"))
    }
    $1 ~ re {
        name = $1
        if (name in seen) { print "identifier " name " is defined twice"; next }
        seen[name] = 1
        v = num($2)
        if (v ~ /^\?/) { print "identifier " name " has a value that is not a number: " substr(v, 2); next }
        k = kind(name) SUBSEP v
        if (k in owner) print "duplicate id " v " in " kind(name) ": " owner[k] " and " name
        else owner[k] = name
    }')
if [ -n "$dups" ]; then
    printf '%s\n' "$dups" | while IFS= read -r line; do echo "check-resources: $line" >&2; done
    status=1
fi

defined=$(printf '%s\n' "$defs" | awk '{ print $1 }')

# --- 2. undefined identifiers in the .rc files ----------------------------------

# Strips /* */ and // comments and string literals, so that file names and texts
# are not taken for identifiers.
strip_rc() {
    LC_ALL=C awk '
        {
            line = $0; out = ""
            while (length(line) > 0) {
                if (incomment) {
                    p = index(line, "*/")
                    if (p == 0) { line = ""; break }
                    line = substr(line, p + 2); incomment = 0; continue
                }
                c = substr(line, 1, 1); c2 = substr(line, 1, 2)
                if (c2 == "/*") { incomment = 1; line = substr(line, 3); continue }
                if (c2 == "//") break
                if (c == "\"") {
                    # a string literal; "" inside it is an escaped quote
                    line = substr(line, 2)
                    while (1) {
                        p = index(line, "\"")
                        if (p == 0) { line = ""; break }
                        if (substr(line, p + 1, 1) == "\"") { line = substr(line, p + 2); continue }
                        line = substr(line, p + 1); break
                    }
                    out = out " \"\" "
                    continue
                }
                out = out c; line = substr(line, 2)
            }
            print out
        }' "$1"
}

for rc in "$resdir"/*.rc; do
    used=$(strip_rc "$rc" | grep -v '^[[:space:]]*#' | grep -oE "\\b$prefix_re" | sort -u)
    for name in $used; do
        if printf '%s\n' "$name" | grep -qE "$builtin_re"; then
            continue
        fi
        if ! printf '%s\n' "$defined" | grep -qx "$name"; then
            fail "$(basename "$rc"): $name is used but not defined in resource.h"
        fi
    done
done

# --- 3. files named in the .rc files --------------------------------------------

for rc in "$resdir"/*.rc; do
    files=$(LC_ALL=C awk '$2 ~ /^(ICON|CURSOR|BITMAP|RT_MANIFEST)$/ && $3 ~ /^"/ { f = $3; gsub(/"/, "", f); print f }' "$rc")
    for f in $files; do
        if [ ! -f "$resdir/$f" ]; then
            fail "$(basename "$rc"): file $f is missing (run python3 res/draw.py)"
        fi
    done
done

# --- 4. byte counts of dialog-initialisation records -----------------------------
# Records look like:  IDC_X, 0x0143, 13L, "text\0",

for rc in "$resdir"/*.rc; do
    bad=$(LC_ALL=C awk '
        /^[[:space:]]*[A-Za-z_0-9]+[[:space:]]+RT_DLGINIT/ { inblock = 1; next }
        inblock && /^[[:space:]]*END/ { inblock = 0; next }
        inblock && /"/ {
            line = $0
            n = line; sub(/^[^,]*,[^,]*,[[:space:]]*/, "", n); sub(/[lL]?[[:space:]]*,.*/, "", n)
            s = line; sub(/^[^"]*"/, "", s); sub(/"[^"]*$/, "", s)
            bytes = 0
            for (i = 1; i <= length(s); i++) {
                if (substr(s, i, 1) == "\\") i++
                bytes++
            }
            if (bytes != n + 0) printf "line %d: count %s but the text has %d bytes\n", NR, n, bytes
        }' "$rc")
    if [ -n "$bad" ]; then
        printf '%s\n' "$bad" | while IFS= read -r line; do echo "check-resources: $(basename "$rc") $line" >&2; done
        status=1
    fi
done

if [ "$status" -eq 0 ]; then
    echo "check-resources: ok"
fi
exit "$status"
