#!/usr/bin/env bash
# The manual pages render without a single warning, read as man(1) reads them (in UTF-8,
# through preconv) by groff, and by mandoc; each names the version of the programs and has
# a section on exit statuses.
# Run as: LintManualPages.sh version page...
set -uo pipefail
version=$1
shift
passed=0
failed=0
check() {
    local message=$1
    shift
    if "$@"; then passed=$((passed + 1)); else echo "FAIL: $page: $message" >&2; failed=$((failed + 1)); fi
}
silent() { local output; output=$("$@" 2>&1) && [ -z "$output" ] || { echo "$output" >&2; return 1; }; }

for tool in groff mandoc; do
    command -v $tool >/dev/null || { echo "$tool is missing (tools/install-deps.sh installs it)" >&2; exit 1; }
done
for page in "$@"; do
    check "groff warns" silent groff -K utf8 -man -ww -z "$page"
    check "mandoc warns" silent mandoc -T lint -W warning "$page"
    check "the title line does not name version $version" \
        grep -q "^\.TH .* \"pivolo $version\" " "$page"
    check "no section on exit statuses" grep -Eq '^\.SH "?(EXIT STATUS|CODE DE RETOUR)' "$page"
done
echo "manual pages: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
