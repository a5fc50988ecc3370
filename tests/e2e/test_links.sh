#!/usr/bin/env bash
# Folder links on a stick, under Wine: a clean run treats a link as one item
# of the drive and never works through it. The stick holds a link "Shared"
# to a folder outside the stick (a hidden and system file, a script) and a
# link named like a listed worm folder (RESYCLER) to another outside folder.
# After a run answered with OK (delete all listed files): nothing outside the
# stick was listed, deleted or changed, both links are still there, and the
# stick's own folder and shortcut were handled as usual.
# timeout: 300
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin

stick=$(e2e_tempdir)
outside=$(e2e_tempdir)
elsewhere=$(e2e_tempdir)
mkdir -p "$stick/Photos"
printf 'jpeg\n' >"$stick/Photos/beach.jpg"
printf 'L\0\0\0shortcut\n' >"$stick/Photos.lnk"
printf 'kept secret\n' >"$outside/secret.txt"
printf 'CreateObject("WScript.Shell")\n' >"$outside/spread.vbs"
printf 'kept\n' >"$elsewhere/keep.txt"
ln -s "$outside" "$stick/Shared"
ln -s "$elsewhere" "$stick/RESYCLER"
e2e_map_drive g "$stick" removable STICK
e2e_set_attributes 'G:\Photos' +h +s
# Through the link, as setting up (Wine changes the target): the outside
# file reads hidden and system from then on.
e2e_set_attributes 'G:\Shared\secret.txt' +h +s
e2e_expect_eq "$(e2e_attributes 'G:\Shared\secret.txt')" HSA "outside file before the run"

e2e_start_norvane
e2e_wait_for 60 "the main window alone" e2e_forms_are frmMain
get() { e2e_automate get "$1"; }
is() { [[ $(get "$1") == "$2" ]]; }
e2e_clean_until_results g
e2e_expect_eq "$(e2e_result_rows)" 'G:\|Photos.lnk' "listed files"
e2e_automate click Form4.Command2 >/dev/null
e2e_wait_for 60 "the run to end" is frmMain.Timer10.interval 0

# Outside the stick: every file there, unchanged.
e2e_expect_eq "$(cat "$outside/secret.txt")" "kept secret" "outside file"
e2e_expect_eq "$(e2e_attributes 'G:\Shared\secret.txt')" HSA "outside file's attributes"
[[ -f $outside/spread.vbs ]] || e2e_fail "the script outside the stick was deleted"
e2e_expect_eq "$(cat "$elsewhere/keep.txt")" kept "file behind the link named like a worm folder"
[[ -L $stick/Shared && -L $stick/RESYCLER ]] || e2e_fail "a link on the stick was lost"
e2e_log "ok: nothing behind the links touched; both links still there"

# The stick's own items, as usual.
[[ ! -e $stick/Photos.lnk ]] || e2e_fail "the shortcut is still on the stick"
e2e_expect_eq "$(e2e_attributes 'G:\Photos')" "" "attributes of G:\\Photos"
