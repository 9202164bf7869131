#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# The four tabs as kcmshell5 shows them: the plug-in from the build tree on a
# virtual X server and a copy of the sample system. Each tab is chosen with its
# Alt accelerator, as a user would, and saved as a PNG in the output folder.
# The window must carry the module's name, every accelerator must show another
# tab, and no message box may come up.
#
# usage: kcmshell-screenshots.sh <build>/plugins <sample system tree> <output folder> [sanitized]
set -euo pipefail

plugins=$1
sample=$2
out=$3
sanitized=${4:-OFF}

for tool in kcmshell5 xvfb-run xwininfo xdotool xwd /usr/bin/convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (scripts/install-deps)"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -a "$sample" "$work/root"
mkdir -p "$out"
rm -f "$out"/quorlan-*.png

mkdir -m 700 "$work/runtime"
export QT_PLUGIN_PATH=$plugins QUORLAN_ROOT=$work/root XDG_RUNTIME_DIR=$work/runtime
unset QT_QPA_PLATFORM
preload=
if [ "$sanitized" = ON ]; then
    # kcmshell5 is not instrumented: the sanitizer runtimes must come first in it.
    preload="$(g++ -print-file-name=libasan.so):$(g++ -print-file-name=libubsan.so)"
fi

# Runs inside the X server: $1 work folder, $2 preload, $3 output folder.
cat >"$work/session" <<'SESSION'
set -u
work=$1
out=$3
LD_PRELOAD=$2 kcmshell5 kcm_quorlan >"$work/kcmshell.log" 2>&1 &
shell=$!
trap 'kill "$shell" 2>/dev/null; wait "$shell" 2>/dev/null' EXIT

window=
for _ in $(seq 60); do
    kill -0 "$shell" 2>/dev/null || { echo "kcmshell5 ended before showing a window"; exit 1; }
    window=$(xwininfo -root -tree | awk '/\("kcmshell5" "kcmshell5"\)/ && /"Network Connection/ { print $1; exit }')
    [ -n "$window" ] && break
    sleep 0.5
done
[ -n "$window" ] || { echo "no window of the module after 30 seconds"; exit 1; }
xwininfo -id "$window" | head -2 | tail -1
sleep 1
xdotool windowfocus --sync "$window"

status=0
for tab in n:identification s:interfaces d:dns i:wireless; do
    xdotool key "alt+${tab%%:*}"
    sleep 0.7
    xwd -silent -id "$window" -out "$work/${tab#*:}.xwd"
    /usr/bin/convert "xwd:$work/${tab#*:}.xwd" "$out/quorlan-${tab#*:}.png" || status=1
done
# Raw window contents: the same picture twice means an accelerator did nothing.
if [ "$(md5sum "$work"/*.xwd | cut -d' ' -f1 | sort -u | wc -l)" -ne 4 ]; then
    echo "the accelerators did not show four different tabs"
    status=1
fi
if xwininfo -root -tree | grep '"TCP/IP\|"Wireless'; then
    echo "the module showed a message box"
    status=1
fi
exit "$status"
SESSION

status=0
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session" "$work" "$preload" "$out" || status=$?
cat "$work/kcmshell.log"
if grep -E 'Could not find module|Error loading|[Cc]annot load|[Ff]ailed to load|AddressSanitizer|runtime error|ASSERT' "$work/kcmshell.log"; then
    echo "kcmshell5 reported an error"
    status=1
fi
[ "$status" -eq 0 ] && ls "$out"/quorlan-*.png
exit "$status"
