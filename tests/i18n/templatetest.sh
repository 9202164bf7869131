#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# The template po/quorlan.pot must hold exactly the texts that the code marks
# for translation (run Messages.sh when this fails), every catalogue must be
# sound, and the German one complete.
# usage: templatetest.sh SOURCE_DIR
set -euo pipefail
top=$(cd "$1" && pwd)
for tool in xgettext msgcat msgcmp msgfmt; do
    command -v "$tool" >/dev/null || {
        echo "SKIP: $tool is missing (package gettext)"
        exit 77
    }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

# The message keys of a catalogue, one a line, in a fixed order.
keys() {
    msgcat --no-location --no-wrap --sort-output "$1" | grep -E '^(msgctxt|msgid|msgid_plural) '
}

podir=$work "$top/Messages.sh"
if ! diff -u --label po/quorlan.pot --label code <(keys "$top/po/quorlan.pot") <(keys "$work/quorlan.pot") >"$work/diff"; then
    echo "po/quorlan.pot is behind the code ('+' is new, '-' is gone): run ./Messages.sh and update the translations"
    cat "$work/diff"
    status=1
fi

for po in "$top"/po/*/quorlan.po; do
    # Placeholders, markup-free format checks, and one accelerator where the original has one.
    msgfmt --check --check-accelerators='&' -o /dev/null "$po" || status=1
done

# Every text translated, none fuzzy.
msgcmp --no-fuzzy-matching "$top/po/de/quorlan.po" "$top/po/quorlan.pot" || status=1

[ "$status" = 0 ] && echo "the template and the catalogues are complete"
exit "$status"
