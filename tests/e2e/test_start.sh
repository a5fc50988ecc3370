#!/usr/bin/env bash
# Norvane starts under Wine, shows its main window and answers automation
# requests, including the error answer for a control that does not exist.
# timeout: 180
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin
e2e_start_norvane

# The splash hands over to the main window; wait until it is loaded.
e2e_wait_for 60 "frmMain to load" e2e_has_form frmMain

e2e_expect_eq "$(e2e_automate get frmMain.Command1.caption)" "Scan" "scan button caption"
# The message table reads "MSG0" in every element until a language fills it;
# element 30 is the last one.
e2e_expect_eq "$(e2e_automate get 'frmMain.MSG0(30).caption')" "MSG0" "last message table entry"

# An unknown control is an error: "error: <reason>" and exit status 1.
status=0
answer=$(e2e_automate get frmMain.NoSuchControl.caption) || status=$?
e2e_expect_eq "$status" 1 "exit status for an unknown control"
[[ $answer == "error: "?* ]] || e2e_fail "unknown control: expected 'error: <reason>', got '$answer'"
e2e_log "ok: unknown control answers '$answer'"

# Once the splash tiles have closed, the main window is the only form left.
e2e_wait_for 30 "the splash to close" e2e_forms_are frmMain
e2e_screenshot main
