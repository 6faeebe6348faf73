#!/usr/bin/env bash
# Plays the opening of a game under Xvfb with openbox and saves a screenshot of
# the main window in the middle of a take: docs/screenshot.png.
# Needs: xvfb openbox xdotool imagemagick (Debian packages).
set -euo pipefail
cd "$(dirname "$0")/.."
display=:57
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display
openbox >/dev/null 2>&1 &
sleep 1
# In English, whatever the desktop of whoever runs it speaks.
LANGUAGE= LC_ALL=C.UTF-8 ./build/dovrel >/dev/null 2>&1 &
game=$!
sleep 1.5
xdotool type "Ann"; xdotool key Tab; xdotool type "Bob"; xdotool key Return
sleep 1.5
xdotool type 6; xdotool key Return
sleep 3.5
window=$(xdotool search --name 'Dovrel\.\.\.' | head -1)
# With the frame the window manager drew.
import -frame -window "$window" docs/screenshot.png
kill $game
