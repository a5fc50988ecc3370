#!/usr/bin/env bash
# Choosing a language in the real program: with the shipped language files,
# Arabic picked in the language box (Combo1) replaces the captions and the
# message table with the Arabic texts. The close action (Label18) stores the
# choice and ends the program; started again, it comes back in Arabic.
# Screenshot: the main window in Arabic (main-arabic.png).
# timeout: 240
set -euo pipefail
source "$(dirname "$0")/lib.sh"

# The text of line N of a language source (kit/lang), after its "Text__ [NN]: ".
language_text() {
  sed -n "s/^Text__ \[$2\]: //p" "$(dirname "$0")/../../kit/lang/$1.txt" | tr -d '\r'
}
# The display name of a language source: line 0 after its 9 heading characters
# (the Arabic name has no case, so the upper-cased list shows it as it stands).
language_name() {
  head -n 1 "$(dirname "$0")/../../kit/lang/$1.txt" | tr -d '\r' | cut -c 10-
}

get() { e2e_automate get "$1"; }
is() { [[ $(get "$1" 2>/dev/null) == "$2" ]]; }

# Captions that come from the language file, each with the line it comes from.
expect_arabic() {
  local when=$1
  e2e_expect_eq "$(get frmMain.Command1.caption)" "$(language_text Arabic 07)" "scan button $when"
  e2e_expect_eq "$(get frmMain.Check6.caption)" "$(language_text Arabic 06)" "last option $when"
  # Label3 shows its line after a space.
  e2e_expect_eq "$(get frmMain.Label3.caption)" " $(language_text Arabic 15)" "Label3 $when"
  # Message N comes from line 28 + N; message 26 is also the window title.
  e2e_expect_eq "$(get 'frmMain.MSG0(26).caption')" "$(language_text Arabic 54)" "message 26 $when"
  e2e_expect_eq "$(get 'frmMain.MSG0(30).caption')" "$(language_text Arabic 58)" "message 30 $when"
  e2e_expect_eq "$(get frmMain.Label1.caption)" "$(language_text Arabic 54)" "title $when"
  e2e_expect_eq "$(get frmMain.caption)" "$(language_text Arabic 54)" "window caption $when"
}

e2e_begin
e2e_start_norvane
e2e_wait_for 60 "the main window alone" e2e_forms_are frmMain
# A first start applies the first language in sorted order (English).
e2e_expect_eq "$(get frmMain.Command1.caption)" "$(language_text English 07)" "scan button at first"

# Find the Arabic entry by its display name; it sorts after the Latin names.
arabic=$(language_name Arabic)
index=-1
count=$(get frmMain.Combo1.listcount)
for ((i = 0; i < count; i++)); do
  if [[ $(get "frmMain.Combo1.list($i)") == "$arabic" ]]; then
    index=$i
    break
  fi
done
((index >= 0)) || e2e_fail "the language box has no entry '$arabic'"
e2e_log "Arabic is entry $index of $count"

e2e_automate select frmMain.Combo1 "$index" >/dev/null
e2e_wait_for 20 "the Arabic captions" is frmMain.Command1.caption "$(language_text Arabic 07)"
expect_arabic "after choosing Arabic"
# The language box's face shows the chosen name in its own script.
e2e_expect_eq "$(get frmMain.Label15.caption)" "$arabic" "language box"
e2e_screenshot main-arabic

# The close action stores the choice and ends the process at once, so the
# request may see no answer.
e2e_automate click frmMain.Label18 >/dev/null 2>&1 || true
deadline=$((SECONDS + 20))
while kill -0 "$E2E_NORVANE_PID" 2>/dev/null; do
  ((SECONDS < deadline)) || e2e_fail "Norvane still runs 20 s after its close action"
  sleep 0.2
done
wait "$E2E_NORVANE_PID" 2>/dev/null || true
E2E_NORVANE_PID=
e2e_log "ok: the close action ended Norvane"
stored=$(e2e_wine reg query 'HKCU\Software\Mirelle\Settings' /v Show-01 | tr -d '\r' |
  sed -n 's/.*REG_SZ[[:space:]]*//p')
e2e_expect_eq "$stored" "$index" "stored language index"

# Started again (same app folder): Arabic without any choice.
e2e_start_norvane
e2e_wait_for 60 "the main window alone after the restart" e2e_forms_are frmMain
e2e_wait_for 20 "the stored language" is frmMain.Command1.caption "$(language_text Arabic 07)"
e2e_expect_eq "$(get frmMain.Combo1.listindex)" "$index" "language box entry after the restart"
expect_arabic "after the restart"
