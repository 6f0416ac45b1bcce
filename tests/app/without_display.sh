#!/bin/sh
# Starts nexmar ($1) with no display at all: it must fail with status 1 and
# one line that points to xvfb-run and nexmar-cli.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1)
status=$?
echo "$out"
[ "$status" -eq 1 ] || { echo "exit status $status, expected 1"; exit 1; }
[ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || { echo "expected one line"; exit 1; }
printf '%s' "$out" | grep -q xvfb-run || { echo "xvfb-run not named"; exit 1; }
printf '%s' "$out" | grep -q nexmar-cli || { echo "nexmar-cli not named"; exit 1; }
