#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later

# The demo's lab half: the built plug-in opens in kcmshell5 inside the lab on a virtual screen, and its window ends up
# in a PNG whose path is printed.
# usage: demotest.sh BUILD_DIR
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/expect.sh"
rm -f "$1/demo/quorlan.png"
shot=$(env -u DISPLAY "$lab/lab.sh" --boot "$lab/../scripts/demo" --inside "$1")
expect "the demo in the lab: exit status, printed path, screenshot" "$? $shot $(/usr/bin/identify -format %m "$1/demo/quorlan.png" 2>&1)" "0 $1/demo/quorlan.png PNG"
finish
