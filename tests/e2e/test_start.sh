#!/usr/bin/env bash
# Norvane starts under Wine, shows its main window and answers automation
# requests: with no language files it keeps its design texts; as shipped it
# applies the first language in sorted order (English) at a first start. An
# unknown control is answered with an error.
# timeout: 240
set -euo pipefail
source "$(dirname "$0")/lib.sh"

# The text of line N of a language source (kit/lang), after its "Text__ [NN]: ".
language_text() {
  sed -n "s/^Text__ \[$2\]: //p" "$(dirname "$0")/../../kit/lang/$1.txt" | tr -d '\r'
}

e2e_begin

# --- Without language files: the design texts stay --------------------------
e2e_install_norvane
rm -rf "$E2E_APP/Lang"
e2e_start_norvane
e2e_wait_for 60 "the main window alone" e2e_forms_are frmMain
e2e_expect_eq "$(e2e_automate get frmMain.Command1.caption)" "Scan" "scan button, no language"
# Every element of the message table reads "MSG0" until a language fills it;
# element 30 is the last one.
e2e_expect_eq "$(e2e_automate get 'frmMain.MSG0(30).caption')" "MSG0" "last message, no language"

# An unknown control is an error: "error: <reason>" and exit status 1.
status=0
answer=$(e2e_automate get frmMain.NoSuchControl.caption) || status=$?
e2e_expect_eq "$status" 1 "exit status for an unknown control"
[[ $answer == "error: "?* ]] || e2e_fail "unknown control: expected 'error: <reason>', got '$answer'"
e2e_log "ok: unknown control answers '$answer'"
e2e_stop_norvane

# --- As shipped: English, first by its name in the sorted list --------------
e2e_install_norvane
e2e_start_norvane
# Once the splash tiles have closed, the main window is the only form left.
e2e_wait_for 60 "the main window alone" e2e_forms_are frmMain
e2e_expect_eq "$(e2e_automate get frmMain.Command1.caption)" "$(language_text English 07)" \
  "scan button in English"
# Message N comes from line 28 + N.
e2e_expect_eq "$(e2e_automate get 'frmMain.MSG0(30).caption')" "$(language_text English 58)" \
  "last message in English"
e2e_screenshot main
