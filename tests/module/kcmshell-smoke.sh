#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# The shell (kcmshell5 or kcmshell6) loads the plug-in (an empty PLUGIN_DIR: the installed one) on a
# virtual X server and a copy of the sample system, and must show the module's window, loaded once, without
# an error or a box; each tab, chosen with its Alt accelerator, is saved as quorlan-<tab>.png and must
# differ. SMOKE_TITLE and SMOKE_TABS (accelerator:name) name the window and tabs in another language.
# usage: kcmshell-smoke.sh PLUGIN_DIR SAMPLE_SYSTEM SANITIZED(ON|OFF) SCREENSHOT_DIR [SHELL]
set -euo pipefail
export KCMSHELL=${5:-kcmshell5}
for tool in "$KCMSHELL" xvfb-run xwininfo xdotool xwd /usr/bin/convert; do command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing" && exit 77; }; done
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
cp -a "$2" "$work/root" && mkdir -m 700 "$work/runtime" && mkdir -p "$4" && rm -f "$4"/quorlan-*.png
# Each load names the devices it found, at debug level.
export QT_LOGGING_RULES=quorlan.debug=true QUORLAN_ROOT=$work/root XDG_RUNTIME_DIR=$work/runtime QT_PLUGIN_PATH=$1 WORK=$work SHOTS=$4
[ -n "$1" ] || unset QT_PLUGIN_PATH
export SMOKE_TITLE=${SMOKE_TITLE:-Network Connection} SMOKE_TABS=${SMOKE_TABS:-n:identification s:interfaces d:dns i:wireless}
unset QT_QPA_PLATFORM
# The shell is not instrumented: the sanitizer runtimes must come first in it.
[ "$3" != ON ] || export PRELOAD="$(g++ -print-file-name=libasan.so):$(g++ -print-file-name=libubsan.so)"
status=0 && xvfb-run -a -s "-screen 0 1024x768x24" bash -uc '
LD_PRELOAD=${PRELOAD-} "$KCMSHELL" kcm_quorlan >"$WORK/kcmshell.log" 2>&1 &
trap "kill $! 2>/dev/null; wait $! 2>/dev/null" EXIT
for _ in $(seq 60); do
    kill -0 $! 2>/dev/null || { echo "$KCMSHELL ended before showing a window" && exit 1; }
    window=$(xwininfo -root -tree | awk -v title="\"$SMOKE_TITLE" -v class="(\"$KCMSHELL\" \"$KCMSHELL\")" "index(\$0, class) && index(\$0, title) { print \$1; exit }")
    [ -n "$window" ] && break || sleep 0.5
done
[ -n "$window" ] || { echo "no window of the module after 30 seconds" && exit 1; }
# A failed load shows its box ("TCP/IP — ...") beside the window, not before it.
sleep 1 && ! xwininfo -root -tree | grep "\"TCP/IP\|\"Wireless" || { echo "the module showed a message box while loading" && exit 1; }
xdotool windowfocus --sync "$window"
for tab in $SMOKE_TABS; do
    xdotool key "alt+${tab%%:*}" && sleep 0.7 && xwd -silent -id "$window" -out "$WORK/${tab#*:}.xwd"
    /usr/bin/convert "xwd:$WORK/${tab#*:}.xwd" "$SHOTS/quorlan-${tab#*:}.png" || exit 1
done
# Raw window contents: the same picture twice means an accelerator did nothing.
[ "$(md5sum "$WORK"/*.xwd | cut -d" " -f1 | sort -u | wc -l)" = 4 ] || { echo "the accelerators did not show four different tabs" && exit 1; }
' || status=$?
cat "$work/kcmshell.log"
# Each load says which devices it found: opening the module loads it once.
[ "$(grep -c 'quorlan: Ethernet devices:' "$work/kcmshell.log")" = 1 ] || { echo "$KCMSHELL did not load the module exactly once" && status=1; }
# What Qt, KDE Frameworks and the sanitizers print when loading goes wrong.
! grep -E 'Could not find module|Error loading|[Cc]annot load|[Ff]ailed to load|AddressSanitizer|runtime error|ASSERT' "$work/kcmshell.log" ||
    { echo "$KCMSHELL reported an error" && status=1; }
exit "$status"
