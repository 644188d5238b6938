#!/bin/sh
# Fails when a C++ file of the tree is not formatted with the repository's
# .clang-format. Sources under res/ and tests/data/ are inputs of the
# program, kept as they are.
set -eu
cd "$(dirname "$0")/.."
format="${CLANG_FORMAT:-clang-format-14}"
files="$(git ls-files '*.cpp' '*.h' | grep -vE '^(res|tests/data)/' || true)"
if [ -z "$files" ]; then
    exit 0
fi
# shellcheck disable=SC2086
if ! echo "$files" | xargs "$format" --dry-run --Werror 2>/tmp/kestrin-format.$$; then
    grep -E '^[^ ]+:[0-9]+:[0-9]+: error' /tmp/kestrin-format.$$ | cut -d: -f1 | sort -u |
        sed 's/^/not formatted: /'
    rm -f /tmp/kestrin-format.$$
    echo "Run: $format -i FILE... (see .clang-format)"
    exit 1
fi
rm -f /tmp/kestrin-format.$$
