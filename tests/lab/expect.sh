# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
#
# Checks for the lab's shell tests, sourced: one line per check, and a
# failing exit status at the end if any check failed.

failures=0

# expect WHAT ACTUAL EXPECTED: passes when ACTUAL is EXPECTED exactly.
expect() {
    if [ "$2" = "$3" ]; then
        echo "ok - $1"
    else
        printf 'FAIL - %s\n  got:  %s\n  want: %s\n' "$1" "$2" "$3"
        failures=$((failures + 1))
    fi
}

# expect_status WHAT EXPECTED COMMAND [ARG...]: runs the command, compares its exit status.
expect_status() {
    local what=$1 want=$2 got=0
    shift 2
    "$@" || got=$?
    expect "$what (exit status)" "$got" "$want"
}

finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    exit 0
}

# Tests need root; anyone else skips (ctest's SKIP_RETURN_CODE).
require_root() {
    if [ "$(id -u)" != 0 ]; then
        echo "skipped: the lab needs root"
        exit 77
    fi
}

# The inside half of a lab test refuses to run anywhere else.
require_lab() {
    if ! "$(dirname "${BASH_SOURCE[0]}")/../../lab/in-lab"; then
        echo "refused: this runs only inside the lab (lab/lab.sh)" >&2
        exit 2
    fi
}

# expect_lines WHAT ACTUAL EXPECTED: like expect, for many lines; a failure shows the difference.
expect_lines() {
    if [ "$2" = "$3" ]; then
        echo "ok - $1"
    else
        echo "FAIL - $1 (- wanted, + got)"
        diff -u <(echo "$3") <(echo "$2") | tail -n +3 | sed 's/^/  /'
        failures=$((failures + 1))
    fi
}
