#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# The real shell: kcmshell5 loads the plug-in from the build tree on a virtual
# X server, on a copy of the sample system, and must show the module's window
# without an error. Nothing runs at load but the read-only Ethernet count.
#
# usage: kcmshell-smoke.sh <build>/plugins <sample system tree> [sanitized]
set -euo pipefail

plugins=$1
sample=$2
sanitized=${3:-OFF}

for tool in kcmshell5 xvfb-run xwininfo; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (scripts/install-deps)"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -a "$sample" "$work/root"

mkdir -m 700 "$work/runtime"
export QT_PLUGIN_PATH=$plugins QUORLAN_ROOT=$work/root XDG_RUNTIME_DIR=$work/runtime
unset QT_QPA_PLATFORM
preload=
if [ "$sanitized" = ON ]; then
    # kcmshell5 is not instrumented: the sanitizer runtimes must come first in it.
    preload="$(g++ -print-file-name=libasan.so):$(g++ -print-file-name=libubsan.so)"
fi

# Runs inside the X server: start the shell, wait for its window, stop it.
cat >"$work/session" <<'SESSION'
LD_PRELOAD=$2 kcmshell5 kcm_quorlan >"$1/kcmshell.log" 2>&1 &
shell=$!
for _ in $(seq 60); do
    if ! kill -0 "$shell" 2>/dev/null; then
        echo "kcmshell5 ended before showing a window"
        exit 1
    fi
    if xwininfo -root -tree | grep -q '"Network Connection'; then
        # A failed load shows its box ("TCP/IP — ...") beside the window, not before it.
        sleep 1
        status=0
        if xwininfo -root -tree | grep '"TCP/IP'; then
            echo "the module showed a message box while loading"
            status=1
        fi
        kill "$shell"
        wait "$shell" || true
        exit "$status"
    fi
    sleep 0.5
done
echo "no window of the module after 30 seconds"
kill "$shell"
exit 1
SESSION

status=0
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session" "$work" "$preload" || status=$?
cat "$work/kcmshell.log"
# What Qt, KDE Frameworks and the sanitizers print when loading goes wrong; the
# output of the counting pipeline (an absent ifconfig, say) is not the module's.
if grep -E 'Could not find module|Error loading|[Cc]annot load|[Ff]ailed to load|AddressSanitizer|runtime error|ASSERT' "$work/kcmshell.log"; then
    echo "kcmshell5 reported an error"
    status=1
fi
exit "$status"
