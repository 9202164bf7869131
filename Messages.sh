#!/bin/sh
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Extracts every translatable text of the module into the template of the
# "quorlan" catalogue. KDE's translation tooling runs it with $XGETTEXT and
# $podir set; run by hand it uses the same keywords and rewrites po/quorlan.pot.
# Comments that start with "i18n:" right before a call reach the translators.
set -eu
cd "$(dirname "$0")"

: "${podir:=po}"
: "${XGETTEXT:=xgettext --from-code=UTF-8 -C --kde -ci18n \
    --package-name=quorlan --msgid-bugs-address=quorlan-developers \
    -ki18n:1 -ki18nc:1c,2 -ki18np:1,2 -ki18ncp:1c,2,3 \
    -ki18nd:2 -ki18ndc:2c,3 -ki18ndp:2,3 -ki18ndcp:2c,3,4 \
    -kki18n:1 -kki18nc:1c,2 -kki18np:1,2 -kki18ncp:1c,2,3 \
    -kki18nd:2 -kki18ndc:2c,3 -kki18ndp:2,3 -kki18ndcp:2c,3,4 \
    -kxi18n:1 -kxi18nc:1c,2 -kxi18np:1,2 -kxi18ncp:1c,2,3 \
    -kkxi18n:1 -kkxi18nc:1c,2 -kkxi18np:1,2 -kkxi18ncp:1c,2,3 \
    -kI18N_NOOP:1 -kI18NC_NOOP:1c,2 -kI18N_NOOP2:1c,2 -kI18N_NOOP2_NOSTRIP:1c,2 \
    -ktr2i18n:1 -ktr2xi18n:1}"

# Sorted, so that the template does not change with the order of the file system.
# shellcheck disable=SC2046,SC2086
$XGETTEXT $(find src -name '*.cpp' -o -name '*.h' | LC_ALL=C sort) -o "$podir/quorlan.pot"
