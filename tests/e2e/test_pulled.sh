#!/usr/bin/env bash
# The stick pulled out in the middle of a clean run, under Wine: every file
# call on G: fails from then on, yet the run comes to its end. The results
# window still shows (with what was found before the pull) and is answered
# with OK, Norvane keeps answering, no message box is left open, the run's
# controls come back and the drive poll takes the stick's row away. The
# row's files on the Linux side that were never reached stay as they were.
# timeout: 300
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin

stick=$(e2e_tempdir)
for folder in Album1 Album2 Album3; do
  mkdir -p "$stick/$folder"
  for ((i = 1; i <= 80; i++)); do printf 'photo %d\n' "$i" >"$stick/$folder/photo_$i.jpg"; done
done
printf 'CreateObject("WScript.Shell")\n' >"$stick/spread.vbs"
e2e_map_drive g "$stick" removable STICK

e2e_start_norvane
e2e_wait_for 60 "the main window alone" e2e_forms_are frmMain

get() { e2e_automate get "$1"; }
is() { [[ $(get "$1") == "$2" ]]; }
no_stick_row() { [[ $(e2e_drive_row g) == -1 ]]; }
examined_at_least() { (($(get frmMain.Label8.caption) >= $1)); }

e2e_choose_drive g
idle_caption=$(get frmMain.Command1.caption)

e2e_automate click frmMain.Command1 >/dev/null
e2e_wait_for 20 "the run's first tick" is frmMain.Timer10.interval 10
e2e_wait_for 60 "some files examined" examined_at_least 40
e2e_unplug_drive g
e2e_log "stick pulled after $(get frmMain.Label8.caption) files"

e2e_wait_for 120 "the results window" is Form4.visible true
e2e_screenshot pulled-results
e2e_expect_eq "$(get 'Form4.ListView1.item(0,1)')" "spread.vbs" "the finding made before the pull"
e2e_automate click Form4.Command2 >/dev/null
e2e_wait_for 60 "the run to end" is frmMain.Timer10.interval 0
no_form4() { ! e2e_has_form Form4; }
e2e_wait_for 10 "the results window to close" no_form4

e2e_expect_eq "$(e2e_automate msgbox)" "" "message box left open"
e2e_expect_eq "$(get frmMain.Command1.caption)" "$idle_caption" "Clean button caption"
e2e_expect_eq "$(get frmMain.Timer2.enabled)" true "drive poll"
e2e_expect_eq "$(get frmMain.Check3.enabled)" true "attribute boxes"
e2e_wait_for 10 "the stick's row to go" no_stick_row
# The last folder was never reached: its files are untouched.
e2e_expect_eq "$(cat "$stick/Album3/photo_80.jpg")" "photo 80" "a file the run never reached"
e2e_screenshot pulled
