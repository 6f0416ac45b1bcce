#!/bin/sh
# Starts nexmar ($1) where no display can be opened: with none named at all,
# with one that no server answers (:87), and with the X11 platform asked for
# by name. Each time it must fail with status 1, not abort, and say so in one
# line that points to xvfb-run and nexmar-cli.
failed=0
for setting in "" "DISPLAY=:87" "DISPLAY=:87 QT_QPA_PLATFORM=xcb" "QT_QPA_PLATFORM=xcb"; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE $setting "$1" 2>&1)
  status=$?
  if [ "$status" -ne 1 ] || [ "$(printf '%s\n' "$out" | wc -l)" -ne 1 ] ||
     ! printf '%s' "$out" | grep -q 'no display could be opened.*xvfb-run.*nexmar-cli'; then
    echo "with '$setting': exit status $status, expected 1 and one line; the output was:"
    printf '%s\n' "$out"
    failed=1
  fi
done
exit $failed
