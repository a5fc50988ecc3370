#!/usr/bin/env bash
# The system cleaner window under Wine: the main window's Command8 opens
# Form1, Command1 starts Kit\Ombra.exe on the temporary folder, the progress
# bar follows the shrinking folder while the tool runs, and the end message
# is answered through norvane-automate. The temporary folder, filled with a
# few thousand files, is empty afterwards. Screenshots: the window ready, mid
# run (clip and bar), and with its end message.
# timeout: 240
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin

# Wine gives every process the prefix user's temporary folder as TEMP.
temp_win=$(e2e_wine cmd /c 'echo %TEMP%' | tr -d '\r')
[[ $temp_win == [Cc]:\\* ]] || e2e_fail "unexpected TEMP '$temp_win'"
temp=$WINEPREFIX/drive_c/${temp_win:3}
temp=${temp//\\//}
rm -rf "$temp"
mkdir -p "$temp"
# Enough files that the tool runs for a few seconds, so that the bar can be
# seen on its way: 400 folders of 20 files.
for d in $(seq -w 1 400); do
  mkdir -p "$temp/setup$d/cab"
  (cd "$temp/setup$d" && truncate -s 8K f{01..19}.tmp && truncate -s 64K cab/data.cab)
done
files=$(find "$temp" -type f | wc -l)
e2e_log "temporary folder $temp_win holds $files files"

e2e_start_norvane
e2e_wait_for 60 "the splash to close" e2e_forms_are frmMain

get() { e2e_automate get "$1"; }
# True when a property reads as the given text (for e2e_wait_for).
is() { [[ $(get "$1" 2>/dev/null) == "$2" ]]; }

e2e_automate click frmMain.Command8 >/dev/null
e2e_wait_for 30 "Form1 to show" is Form1.visible true
e2e_expect_eq "$(get Form1.Option2.value)" true "Option2 chosen at the start"
e2e_expect_eq "$(get Form1.Command1.enabled)" true "Command1 ready"
e2e_screenshot cleaner-ready

e2e_automate click Form1.Command1 >/dev/null
# While the tool runs: sample the percentage until the end message shows, and
# take one picture while the bar is on its way.
captions=()
last=
shot=
box=
deadline=$((SECONDS + 120))
while ((SECONDS < deadline)); do
  box=$(e2e_automate msgbox)
  [[ -n $box ]] && break
  caption=$(get Form1.Label15.caption)
  [[ $caption == "$last" ]] || captions+=("$caption")
  last=$caption
  if [[ -z $shot && $caption != "0 %" && $caption != "100 %" ]]; then
    e2e_screenshot cleaner-running
    shot=1
  fi
done
[[ -n $box ]] || e2e_fail "no end message within 120 s"
e2e_log "percentages seen during the run: ${captions[*]}"
moved=0
for caption in "${captions[@]}"; do
  [[ $caption != "0 %" && $caption != "100 %" ]] && moved=1
done
((moved)) || e2e_fail "the bar never stood between 0 % and 100 % during the run"

# The end message: message 29, titled message 18, over a full bar.
e2e_expect_eq "$box" "$(get 'frmMain.MSG0(18).caption')"$'\t'"$(get 'frmMain.MSG0(29).caption')" \
  "end message"
e2e_expect_eq "$(get Form1.Label15.caption)" "100 %" "percentage at the end"
e2e_expect_eq "$(get Form1.Image6.width)" 6000 "bar width at the end (twips)"
e2e_expect_eq "$(get Form1.Picture2.visible)" true "progress panel during the end message"
e2e_screenshot cleaner-end-message
e2e_automate answer 1 >/dev/null

e2e_wait_for 20 "the progress panel to close" is Form1.Picture2.visible false
e2e_expect_eq "$(get Form1.Command1.enabled)" false "Command1 after the run"
e2e_expect_eq "$(find "$temp" -mindepth 1 | wc -l | tr -d ' ')" 0 "entries left in the temporary folder"

e2e_automate click Form1.Command2 >/dev/null
e2e_wait_for 20 "Form1 to close" e2e_forms_are frmMain
