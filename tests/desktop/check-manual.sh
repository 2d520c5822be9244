#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the manual pages: both have a NAME line that man's indexer reads, and the command-line
# tool's page, rendered by man, names every option its --help names and has its examples.
#
#   check-manual.sh PLATTERWISE-CLI CLI-PAGE PROGRAM-PAGE
set -euo pipefail
cli="$1"
cli_page="$2"
program_page="$3"

lexgrog "$cli_page" "$program_page"
# A fixed locale, so man has no complaint about the environment to mix into the page.
page="$(LC_ALL=C.UTF-8 MANWIDTH=100 man --warnings -l "$cli_page" 2>&1)"
status=0
for option in $(ASAN_OPTIONS=detect_leaks=0 "$cli" --help | grep -oE -- '(^|[ [])--?[a-z0-9][a-z0-9-]*' |
                tr -d ' [' | sort -u); do
    grep -qF -- "$option" <<<"$page" || { echo "the page does not name $option"; status=1; }
done
for wanted in SYNOPSIS OPTIONS "Exit status" EXAMPLES "xorriso -outdev" "SEE ALSO" \
    "GPL-3.0-or-later"; do
    grep -qF -- "$wanted" <<<"$page" || { echo "the page has no \"$wanted\""; status=1; }
done
if grep -E '^(man|troff|groff|grotty):|warning' <<<"$page"; then
    echo "man warned about the page"
    status=1
fi
exit $status
