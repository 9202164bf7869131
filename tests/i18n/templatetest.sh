#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# po/quorlan.pot holds exactly the texts the code marks (else run ./Messages.sh), every
# catalogue is sound, with one accelerator where the original has one, and German complete.
set -euo pipefail
top=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
keys() { msgcat --no-location --no-wrap --sort-output "$1" | grep -E '^(msgctxt|msgid|msgid_plural) '; }
podir=$work "$top/Messages.sh"
diff -u --label po/quorlan.pot --label code <(keys "$top/po/quorlan.pot") <(keys "$work/quorlan.pot")
for po in "$top"/po/*/quorlan.po; do
    msgfmt --check --check-accelerators='&' -o /dev/null "$po"
done
msgcmp --no-fuzzy-matching "$top/po/de/quorlan.po" "$top/po/quorlan.pot"
