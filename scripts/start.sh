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
E2E_NAME=norvane
mkdir -p "$E2E_OUT"
export WINEPREFIX=$E2E_OUT/prefix WINEDEBUG=-all
trap e2e_end EXIT

say "starting Norvane"
e2e_choose_wine "$NORVANE_DIST/Norvane.exe"
if [[ -z ${DISPLAY-} ]]; then
  e2e_start_xvfb
  echo "Norvane runs on the virtual display $DISPLAY" >&2
fi
e2e_prepare_prefix
e2e_start_norvane
cat >&2 <<EOT
Norvane is running (output in $E2E_NORVANE_LOG).
Drive it:   WINEPREFIX=$WINEPREFIX $WINE '$E2E_APP_WIN\\norvane-automate.exe' forms
Plug a drive in: WINEPREFIX=$WINEPREFIX $WINE $(dirname "$NORVANE_DIST")/plugdrive.exe add g /some/folder removable LABEL
EOT
wait "$E2E_NORVANE_PID" || true
