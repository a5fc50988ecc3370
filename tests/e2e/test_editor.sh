#!/usr/bin/env bash
# The list editor in the real program: Ctrl+Shift+L shows its panel, the
# access code typed over the preselected text and Enter open editor mode, a
# virus-list entry is renamed; the next clean run lists a file of the drive
# under the new name, while the file named like the old entry is left alone.
# timeout: 300
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin
stick=$(e2e_tempdir)
printf 'x' >"$stick/holiday.scr"
printf 'x' >"$stick/kavo.exe"
e2e_map_drive g "$stick" removable STICK
e2e_start_norvane
e2e_wait_for 60 "the main window alone" e2e_forms_are frmMain

get() { e2e_automate get "$1"; }
is() { [[ $(get "$1") == "$2" ]]; }

# The panel is hidden until an administrator presses Ctrl+Shift+L in the window.
e2e_expect_eq "$(get frmMain.Picture7.visible)" false "editor panel at start"
xdotool key --clearmodifiers ctrl+shift+l
e2e_wait_for 10 "the editor panel" is frmMain.Picture7.visible true
e2e_expect_eq "$(get frmMain.List4.visible)" false "virus list before the access code"
left=$(get frmMain.left)

# The password window opens with its initial text selected: typing replaces it.
e2e_automate click frmMain.Command3 >/dev/null
e2e_wait_for 20 "the password window" e2e_has_form Form2
e2e_expect_eq "$(get Form2.Text1.sellength)" 6 "selected initial text"
e2e_screenshot editor-password
xdotool type --delay 50 503
e2e_wait_for 10 "the typed code" is Form2.Text1.text 503
xdotool key Return
e2e_wait_for 20 "the password window to close" e2e_forms_are frmMain
e2e_expect_eq "$(get frmMain.Command3.caption)" Close "panel button in editor mode"
e2e_expect_eq "$(get frmMain.width)" 14160 "window width in editor mode"
e2e_expect_eq "$(get frmMain.left)" $((left - 2960)) "window left edge in editor mode"
e2e_screenshot editor-mode

# Rename the entry kavo.exe of the virus list to holiday.scr.
index=-1
count=$(get frmMain.List4.listcount)
for ((i = 0; i < count; i++)); do
  if [[ $(get "frmMain.List4.list($i)") == kavo.exe ]]; then
    index=$i
    break
  fi
done
((index >= 0)) || e2e_fail "kavo.exe is not in the virus list"
e2e_automate select frmMain.List4 "$index" >/dev/null
e2e_wait_for 10 "the clicked entry in the rename field" is frmMain.Text4.text kavo.exe
e2e_expect_eq "$(get frmMain.Label13.caption)" "$index" "remembered entry"
e2e_automate set frmMain.Text4.text holiday.scr >/dev/null
e2e_automate click frmMain.Command5 >/dev/null
has_box() { [[ -n $(e2e_automate msgbox) ]]; }
e2e_wait_for 20 "the rename question" has_box
question=$(e2e_automate msgbox)
[[ $question == *"(kavo.exe) File." ]] || e2e_fail "rename question: '$question'"
e2e_log "ok: rename question '$question'"
e2e_automate answer 6 >/dev/null
e2e_wait_for 10 "the renamed entry" is "frmMain.List4.list($index)" holiday.scr

# Leaving editor mode puts the window back.
e2e_automate click frmMain.Command3 >/dev/null
e2e_wait_for 10 "editor mode to end" is frmMain.width 13065
e2e_expect_eq "$(get frmMain.left)" "$left" "window left edge after editor mode"
e2e_expect_eq "$(get frmMain.List4.visible)" false "virus list after editor mode"

# A clean run of G: lists holiday.scr (under the entry's new name) and not
# kavo.exe (its old name).
e2e_clean_until_results g
e2e_screenshot editor-results
e2e_expect_eq "$(e2e_result_rows | cut -d'|' -f2)" holiday.scr "files listed by the clean run"

# Close the results window, keeping the files, and let the run end.
e2e_automate click Form4.Command1 >/dev/null
e2e_wait_for 20 "the question on closing" has_box
e2e_automate answer 6 >/dev/null
e2e_wait_for 60 "the run to end" is frmMain.Timer10.interval 0
[[ -f $stick/holiday.scr && -f $stick/kavo.exe ]] || e2e_fail "the listed files were deleted"
e2e_log "ok: the run ended and kept the files the results window listed"
