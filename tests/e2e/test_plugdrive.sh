#!/usr/bin/env bash
# The plug tool that the drive tests rely on: drives put in and pulled out
# while Wine runs are seen at once by other processes, with their kind and
# label, and the test prefix has no drive but C: of its own.
# timeout: 120
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin "$(dirname "$NORVANE_DIST")/plugdrive.exe"

drives() { e2e_plugdrive list | tr -d '\r'; }
e2e_expect_eq "$(drives)" "c: fixed " "drives of a fresh test prefix"

stick=$(e2e_tempdir)
disk=$(e2e_tempdir)
e2e_map_drive g "$stick" removable STICK
e2e_map_drive h "$disk" fixed
# A CD drive without a medium: its folder does not exist.
e2e_map_drive i "$disk/no-medium" cdrom
e2e_expect_eq "$(drives)" $'c: fixed \ng: removable STICK\nh: fixed \ni: cdrom ' "drives after plugging"

e2e_unplug_drive g
e2e_expect_eq "$(drives)" $'c: fixed \nh: fixed \ni: cdrom ' "drives after pulling g:"

# Wrong use is refused with status 2 and changes nothing.
status=0
e2e_plugdrive add j "$disk" floppy-disk 2>/dev/null || status=$?
e2e_expect_eq "$status" 2 "exit status for an unknown drive kind"
e2e_expect_eq "$(drives)" $'c: fixed \nh: fixed \ni: cdrom ' "drives after the refused request"
