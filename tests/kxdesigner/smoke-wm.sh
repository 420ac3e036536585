#!/usr/bin/env bash
# Runs under xvfb-run: starts a window manager, then the run of the designer's tests that drives a
# window with real pointer and key events through the X server and that manager.  smoke-wm.sh TESTS
set -u
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
# The run waits for the manager itself: it polls until the window is framed.
QT_QPA_PLATFORM=xcb KXDESIGNER_WM_RUN=1 "$1" --gtest_filter='KxDesignerWmRun.*'
code=$?
kill "$wm" 2>/dev/null
wait "$wm" 2>/dev/null
exit "$code"
