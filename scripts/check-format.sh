#!/bin/sh
# Fails, naming each file, when clang-format (with the repository's
# .clang-format) would change a tracked C or C++ source. `clang-format -i FILE`
# puts such a file in order.
#
# Usage: scripts/check-format.sh   (from anywhere in the repository)
# Needs git and clang-format (Debian package clang-format, see install.sh).

set -u
cd "$(dirname "$0")/.." || exit 1
status=0
for file in $(git ls-files '*.c' '*.cpp' '*.h'); do
    if ! clang-format --dry-run -Werror "$file" >/dev/null 2>&1; then
        echo "check-format: clang-format would change $file" >&2
        status=1
    fi
done
exit $status
