#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# kcmshell5 loads the plug-in from the build tree on a virtual X server, on a copy
# of the sample system, and must show the module's window without an error. Given
# a screenshot folder, each tab is then chosen with its Alt accelerator and saved
# there as quorlan-<tab>.png; every accelerator must show another tab.
# usage: kcmshell-smoke.sh <build>/plugins <sample system tree> [sanitized] [screenshot folder]
# An empty plug-in folder leaves the plug-in to Qt's own search (an installed
# module). In another language, SMOKE_TITLE names the window and SMOKE_TABS
# lists the tabs as accelerator:name.
set -euo pipefail

plugins=$1
sample=$2
sanitized=${3:-OFF}
shots=${4:-}

tools=(kcmshell5 xvfb-run xwininfo)
[ -z "$shots" ] || tools+=(xdotool xwd /usr/bin/convert)
for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (scripts/install-deps)"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -a "$sample" "$work/root"
mkdir -m 700 "$work/runtime"
[ -z "$shots" ] || { mkdir -p "$shots" && rm -f "$shots"/quorlan-*.png; }
export QUORLAN_ROOT=$work/root XDG_RUNTIME_DIR=$work/runtime
if [ -n "$plugins" ]; then export QT_PLUGIN_PATH=$plugins; else unset QT_PLUGIN_PATH; fi
export SMOKE_TITLE=${SMOKE_TITLE:-Network Connection}
export SMOKE_TABS=${SMOKE_TABS:-n:identification s:interfaces d:dns i:wireless}
unset QT_QPA_PLATFORM
# kcmshell5 is not instrumented: the sanitizer runtimes must come first in it.
preload=
[ "$sanitized" != ON ] || preload="$(g++ -print-file-name=libasan.so):$(g++ -print-file-name=libubsan.so)"

# Inside the X server ($1 work folder, $2 preload, $3 screenshots): start the shell,
# wait for its window, look at it, stop it.
cat >"$work/session" <<'SESSION'
set -u
work=$1
shots=$3
LD_PRELOAD=$2 kcmshell5 kcm_quorlan >"$work/kcmshell.log" 2>&1 &
shell=$!
trap 'kill "$shell" 2>/dev/null; wait "$shell" 2>/dev/null' EXIT

window=
for _ in $(seq 60); do
    kill -0 "$shell" 2>/dev/null || { echo "kcmshell5 ended before showing a window"; exit 1; }
    window=$(xwininfo -root -tree | awk -v title="\"$SMOKE_TITLE" '/\("kcmshell5" "kcmshell5"\)/ && index($0, title) { print $1; exit }')
    [ -n "$window" ] && break
    sleep 0.5
done
[ -n "$window" ] || { echo "no window of the module after 30 seconds"; exit 1; }

# A failed load shows its box ("TCP/IP — ...") beside the window, not before it.
sleep 1
status=0
! xwininfo -root -tree | grep '"TCP/IP\|"Wireless' || { echo "the module showed a message box while loading"; status=1; }
[ -n "$shots" ] || exit "$status"

xdotool windowfocus --sync "$window"
for tab in $SMOKE_TABS; do
    xdotool key "alt+${tab%%:*}"
    sleep 0.7
    xwd -silent -id "$window" -out "$work/${tab#*:}.xwd"
    /usr/bin/convert "xwd:$work/${tab#*:}.xwd" "$shots/quorlan-${tab#*:}.png" || status=1
done
# Raw window contents: the same picture twice means an accelerator did nothing.
[ "$(md5sum "$work"/*.xwd | cut -d' ' -f1 | sort -u | wc -l)" -eq 4 ] || { echo "the accelerators did not show four different tabs"; status=1; }
exit "$status"
SESSION

status=0
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session" "$work" "$preload" "$shots" || status=$?
cat "$work/kcmshell.log"
# What Qt, KDE Frameworks and the sanitizers print when loading goes wrong; the
# output of the counting pipeline (an absent ifconfig, say) is not the module's.
! grep -E 'Could not find module|Error loading|[Cc]annot load|[Ff]ailed to load|AddressSanitizer|runtime error|ASSERT' "$work/kcmshell.log" \
    || { echo "kcmshell5 reported an error"; status=1; }
exit "$status"
