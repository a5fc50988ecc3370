#!/usr/bin/env bash
# Names the old ANSI file calls could not reach, in a clean run under Wine:
# a name ending in a dot beside the same name without it (a call that drops
# the dot reaches the wrong file), a name of 250 characters (its path is
# longer than the old 260-character limit), an Arabic name, and a long-named
# script that the run must list and delete. All but the dotted one hidden
# before the run (Wine's attrib cannot reach that one); after the run
# (answered with OK) every kept file is visible and unchanged and the script
# is gone. Wine's attrib cannot name these files one by one either, so their
# attributes are read from a listing of the folder.
# timeout: 300
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin

stick=$(e2e_tempdir)
long=$(printf 'a%.0s' {1..250})
script=$(printf 'b%.0s' {1..240}).vbs
mkdir -p "$stick/Docs"
printf 'dot\n' >"$stick/Docs/report."
printf 'no dot\n' >"$stick/Docs/report"
printf 'long\n' >"$stick/Docs/$long.txt"
printf 'arabic\n' >"$stick/Docs/تقرير.txt"
printf 'CreateObject("WScript.Shell")\n' >"$stick/Docs/$script"
(cd "$stick/Docs" && md5sum report. report "$long.txt" تقرير.txt) >"$E2E_FIXTURES/kept.md5"
e2e_map_drive g "$stick" removable STICK
e2e_wine cmd /c attrib +h 'G:\Docs\*' >/dev/null

# The attribute letters of every file in G:\Docs, one line each, as Wine's
# attrib lists them (flags first, then the path).
listing() { e2e_wine cmd /c attrib 'G:\Docs\*' | tr -d '\r'; }
hidden_count() { listing | cut -c1-11 | grep -c H || true; }
e2e_expect_eq "$(hidden_count)" 4 "hidden files in G:\\Docs before the run"

e2e_start_norvane
e2e_wait_for 60 "the main window alone" e2e_forms_are frmMain
get() { e2e_automate get "$1"; }
is() { [[ $(get "$1") == "$2" ]]; }
e2e_clean_until_results g
e2e_expect_eq "$(e2e_result_rows)" "G:\\Docs|$script" "listed files"
e2e_automate click Form4.Command2 >/dev/null
e2e_wait_for 60 "the run to end" is frmMain.Timer10.interval 0

[[ ! -e $stick/Docs/$script ]] || e2e_fail "the long-named script is still there"
(cd "$stick/Docs" && md5sum -c --quiet "$E2E_FIXTURES/kept.md5") || e2e_fail "a kept file changed"
e2e_expect_eq "$(listing | wc -l)" 4 "files left in G:\\Docs"
e2e_expect_eq "$(hidden_count)" 0 "hidden files in G:\\Docs after the run"
e2e_log "ok: the dotted, long and Arabic names are visible and unchanged; the script is gone"
