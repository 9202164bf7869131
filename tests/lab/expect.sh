# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
# Checks for the lab's shell tests, sourced: one line per check; finish fails if any did.
failures=0
# expect WHAT ACTUAL EXPECTED: a failure shows the difference.
expect() {
    [ "$2" = "$3" ] && echo "ok - $1" && return
    failures=$((failures + 1)) && echo "FAIL - $1 (- wanted, + got)"
    diff -u <(echo "$3") <(echo "$2") | tail -n +3 | sed 's/^/  /'
}
expect_status() { local what=$1 want=$2 got=0 && shift 2 && "$@" || got=$? && expect "$what (exit status)" "$got" "$want"; }
finish() { [ "$failures" = 0 ] || echo "$failures check(s) failed"; exit $((failures > 0)); }
[ "$(id -u)" = 0 ] || { echo "skipped: the lab needs root" && exit 77; } # ctest's SKIP_RETURN_CODE
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd) && lab=$(cd "$here/../../lab" && pwd)
require_lab() { "$lab/in-lab" || { echo "refused: this runs only inside the lab (lab/lab.sh)" >&2 && exit 2; }; }
