#!/usr/bin/env bash
# Prints test lines, code lines and their ratio: .cpp and .h files in tests/
# against src/, tools/ and bench/, blank and comment-only lines left out.
# With -v also the largest test files.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# One line per file: "<counted lines> <path>".
count() {
    find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
        xargs -0 awk '
            FNR == 1 { if (file != "") print n, file; file = FILENAME; n = 0; block = 0 }
            {
                s = $0; gsub(/^[ \t\r]+|[ \t\r]+$/, "", s)
                if (block) {
                    i = index(s, "*/"); if (!i) next
                    block = 0; s = substr(s, i + 2); gsub(/^[ \t]+/, "", s)
                }
                if (s == "" || s ~ /^\/\//) next
                if (s ~ /^\/\*/) { if (!index(s, "*/")) block = 1; next }
                n++
            }
            END { if (file != "") print n, file }'
}

tests=$(count tests)
test_lines=$(awk '{ s += $1 } END { print s + 0 }' <<<"$tests")
code_lines=$(count src tools bench | awk '{ s += $1 } END { print s + 0 }')
awk -v t="$test_lines" -v c="$code_lines" \
    'BEGIN { printf "tests %d lines, code %d lines: %.1f %%\n", t, c, c ? 100 * t / c : 0 }'
if [[ "${1:-}" == "-v" ]]; then
    sort -rn <<<"$tests" | head -40
fi
