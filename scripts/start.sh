#!/usr/bin/env bash
# Sets up this Debian machine, builds Norvane and starts it under Wine: on
# $DISPLAY when it is set, else on a new Xvfb display (printed, so that you
# can take screenshots with "import -display :N -window root shot.png").
# Returns when Norvane ends; Ctrl-C ends it.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

prepare

# Norvane runs in its own prefix, apart from the one the tests use, so that
# its settings and plugged drives stay as the user left them.
NORVANE_DIST=$(tested_dist)
E2E_OUT=$NORVANE_BUILD/start
E2E_NORVANE_LOG=$E2E_OUT/norvane.log
mkdir -p "$E2E_OUT"
export WINEPREFIX=$E2E_OUT/prefix WINEDEBUG=-all
trap e2e_end EXIT

say "starting Norvane"
e2e_choose_wine "$NORVANE_DIST/Norvane.exe"
if [[ -z ${DISPLAY-} ]]; then
  e2e_start_xvfb
  # The splash fades its tiles in and out; without a compositor the fading
  # does not show.
  e2e_start_compositor
  echo "Norvane runs on the virtual display $DISPLAY" >&2
fi
e2e_prepare_prefix
# The prefix leaves windows to Wine itself (no window manager on a virtual
# display); on a desktop its window manager takes them back.
if [[ -z ${E2E_XVFB_PID-} ]]; then
  e2e_reg_add 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ Y
else
  e2e_reg_add 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ N
fi
e2e_start_norvane
# Every Wine program that talks to Norvane needs the same display.
wine_env="DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX WINEDEBUG=-all $WINE"
cat >&2 <<EOT
Norvane is running (its output goes to $E2E_NORVANE_LOG).
Drive it:        $wine_env '$E2E_APP_WIN\norvane-automate.exe' forms
Plug a drive in: $wine_env $(dirname "$NORVANE_DIST")/plugdrive.exe add g /some/folder removable LABEL
EOT
wait "$E2E_NORVANE_PID" || true
