#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# The demo's lab half: the built plug-in opens in kcmshell5 inside the lab on
# a virtual screen, and its window ends up in a PNG whose path is printed.
# usage: demotest.sh BUILD_DIR
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/expect.sh"
require_root

build=$1
rm -f "$build/demo/quorlan.png"
status=0
shot=$(env -u DISPLAY "$here/../../lab/lab.sh" --boot "$here/../../scripts/demo" --inside "$build") || status=$?
expect "the demo in the lab" "$status" 0
expect "the printed path" "$shot" "$build/demo/quorlan.png"
expect "the screenshot" "$(/usr/bin/identify -format %m "$build/demo/quorlan.png" 2>&1)" PNG
finish
