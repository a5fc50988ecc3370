#!/usr/bin/env bash
# A clean run of an infected stick under Wine, as a user does it: the stick's
# row chosen, Clean (frmMain.Command1) clicked, the results window answered
# with OK (Form4.Command2: delete all listed files). The stick carries what
# the worms leave: the user's folders and a file made hidden and system, a
# shortcut per folder at the root, a script, a program named like a folder,
# an AUTORUN.INF file, a listed worm folder and a folder named by one
# no-break space that holds the user's files. Afterwards, read on the Linux
# side and through Windows' attrib: the user's folders and files are there,
# unchanged and visible; the listed files and the worm folder are gone; the
# no-break-space folder's files are in a visible File_Recover_<n> folder;
# G:\AutoRun.Inf holds Desktop.ini, both protected; the batch Run.bat was
# written, ran and deleted itself; no test file is left. Screenshots: the run
# in progress (progress panel shown) and the results window.
# timeout: 300
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin

nbsp=$'\xc2\xa0' # U+00A0 as the UTF-8 name Wine gives it on the Linux side
stick=$(e2e_tempdir)
mkdir -p "$stick/Photos" "$stick/Docs" "$stick/$nbsp" "$stick/RESYCLER/S-1-5-21-1004"
printf 'jpeg 1\n' >"$stick/Photos/beach.jpg"
printf 'jpeg 2\n' >"$stick/Photos/hills.jpg"
printf 'minutes\n' >"$stick/Docs/minutes.txt"
printf 'dear all\n' >"$stick/letter.txt"
printf 'kept under the blank\n' >"$stick/$nbsp/thesis.txt"
printf 'also kept\n' >"$stick/$nbsp/budget.txt"
# What the worm left: a shortcut per folder, a script, a program named like a
# folder, an autorun file and its own folder.
printf 'L\0\0\0shortcut\n' >"$stick/Photos.lnk"
printf 'L\0\0\0shortcut\n' >"$stick/Docs.lnk"
printf 'CreateObject("WScript.Shell")\n' >"$stick/spread.vbs"
printf 'MZ worm\n' >"$stick/Photos.exe"
printf '[autorun]\r\nopen=Photos.exe\r\n' >"$stick/AUTORUN.INF"
printf 'MZ worm\n' >"$stick/RESYCLER/S-1-5-21-1004/svc.dll"
printf '[.ShellClassInfo]\n' >"$stick/RESYCLER/Desktop.ini"
(cd "$stick" && find . -type f | LC_ALL=C sort | xargs -d '\n' md5sum) >"$E2E_FIXTURES/before.md5"
e2e_map_drive g "$stick" removable STICK

for item in 'G:\Photos' 'G:\Docs' 'G:\letter.txt' 'G:\RESYCLER' 'G:\Photos\beach.jpg'; do
  e2e_set_attributes "$item" +h +s
done
# The no-break-space folder and its files, hidden; cmd reaches it by the
# wildcard ? (the only one-letter name in the root).
e2e_wine cmd /c for /d %d in '(G:\?)' 'do' @attrib +h '%d\*' >/dev/null
e2e_wine cmd /c for /d %d in '(G:\?)' 'do' @attrib +h %d >/dev/null
hidden=$(e2e_wine cmd /c for /d %d in '(G:\?)' 'do' @attrib '%d\*' | tr -d '\r' | grep -c '^[A-Z ]*H')
e2e_expect_eq "$hidden" 2 "hidden files in the no-break-space folder before the run"
e2e_expect_eq "$(e2e_attributes 'G:\Photos')" HS "Photos before the run"
e2e_expect_eq "$(e2e_attributes 'G:\letter.txt')" HSA "letter.txt before the run"

e2e_start_norvane
e2e_wait_for 60 "the main window alone" e2e_forms_are frmMain

get() { e2e_automate get "$1"; }
is() { [[ $(get "$1") == "$2" ]]; }
has_box() { [[ -n $(e2e_automate msgbox) ]]; }

e2e_choose_drive g
idle_caption=$(get frmMain.Command1.caption)

# The batch lives for a moment only: keep a copy of it as soon as it is
# complete (four lines), so that its text can be checked after it is gone.
batch=$stick/Run.bat
(
  deadline=$((SECONDS + 30))
  while ((SECONDS < deadline)); do
    if [[ -f $batch ]] && cp "$batch" "$E2E_FIXTURES/Run.bat.seen" 2>/dev/null &&
      (($(grep -c $'\r$' "$E2E_FIXTURES/Run.bat.seen") == 4)); then
      exit 0
    fi
  done
  exit 1
) &
watcher=$!

e2e_automate click frmMain.Command1 >/dev/null
e2e_wait_for 10 "the run to be armed" is frmMain.Picture5.visible true
e2e_expect_eq "$(get frmMain.Timer2.enabled)" false "drive poll during the run"
e2e_expect_eq "$(get frmMain.Check3.enabled)" false "attribute boxes during the run"
[[ $(get frmMain.Command1.caption) != "$idle_caption" ]] || e2e_fail "Command1 kept its idle caption"
e2e_wait_for 10 "the run's first tick" is frmMain.Timer10.interval 10
e2e_screenshot clean-running

e2e_wait_for 120 "the results window" is Form4.visible true
wait "$watcher" || e2e_fail "G:\\Run.bat was never seen complete"
e2e_expect_eq "$(tr -d '\r' <"$E2E_FIXTURES/Run.bat.seen")" \
  $'G:\nattrib -h -s -a /s /d \nattrib Autorun.ini +s +h\ndel G:\\Run.bat' "text of G:\\Run.bat"

# The rows, each file once: recovering the no-break-space folder starts the
# run again, and the root was examined already.
listed=$(e2e_result_rows | LC_ALL=C sort | tr '\n' ' ')
e2e_expect_eq "$listed" 'G:\|Docs.lnk G:\|Photos.exe G:\|Photos.lnk G:\|spread.vbs ' \
  "rows of the results window"
e2e_expect_eq "$(get Form4.Label7.caption)" 4 "total findings"
e2e_expect_eq "$(get Form4.Label3.caption)" 2 "shortcut findings"
e2e_expect_eq "$(get Form4.Label100.caption)" 2 "other findings"
e2e_screenshot clean-results

e2e_automate click Form4.Command2 >/dev/null
e2e_wait_for 60 "the run to end" is frmMain.Timer10.interval 0
no_form4() { ! e2e_has_form Form4; }
e2e_wait_for 10 "the results window to close" no_form4
e2e_expect_eq "$(get frmMain.Command1.caption)" "$idle_caption" "Command1 after the run"
e2e_expect_eq "$(get frmMain.Picture5.visible)" false "progress panel after the run"
e2e_expect_eq "$(get frmMain.Timer2.enabled)" true "drive poll after the run"
e2e_wait_for 10 "the batch to delete itself" test ! -e "$batch"

# --- The stick afterwards -------------------------------------------------------
recovered=$(cd "$stick" && compgen -G 'File_Recover_*') || e2e_fail "no File_Recover_ folder"
[[ $recovered =~ ^File_Recover_[0-9]+$ ]] || e2e_fail "recovered folders: '$recovered'"
e2e_log "ok: the no-break-space folder became $recovered"
[[ ! -e $stick/$nbsp ]] || e2e_fail "the no-break-space folder is still there"

# Every file of the user's, unchanged, the blank folder's under its new name.
sed -e "s|\./$nbsp/|./$recovered/|" "$E2E_FIXTURES/before.md5" |
  grep -v -e '\./RESYCLER/' -e '\.lnk$' -e '\.vbs$' -e '\.exe$' -e '\./AUTORUN\.INF$' |
  LC_ALL=C sort -k2 >"$E2E_FIXTURES/kept.md5"
(cd "$stick" && md5sum -c --quiet "$E2E_FIXTURES/kept.md5") ||
  e2e_fail "the user's files changed"
e2e_log "ok: $(wc -l <"$E2E_FIXTURES/kept.md5") files of the user's unchanged"
for item in 'G:\Photos' 'G:\Docs' "G:\\$recovered"; do
  e2e_expect_eq "$(e2e_attributes "$item")" "" "attributes of $item"
done
for item in 'G:\letter.txt' 'G:\Photos\beach.jpg' 'G:\Photos\hills.jpg' \
  "G:\\$recovered\\thesis.txt" "G:\\$recovered\\budget.txt"; do
  e2e_expect_eq "$(e2e_attributes "$item")" A "attributes of $item"
done

# The listed files and the worm folder are gone; no test file stayed.
for gone in Photos.lnk Docs.lnk spread.vbs Photos.exe RESYCLER Run.bat Test.txt; do
  [[ ! -e $stick/$gone ]] || e2e_fail "$gone is still on the stick"
done
e2e_log "ok: listed files, worm folder, batch and test file gone"

# The autorun file became a folder, which now holds Desktop.ini; both read as
# protected (Wine keeps no read-only flag on folders: hidden and system).
autorun=$(cd "$stick" && find . -maxdepth 1 -iname autorun.inf)
e2e_expect_eq "$autorun" ./AUTORUN.INF "the autorun entry of the root"
[[ -d $stick/AUTORUN.INF ]] || e2e_fail "G:\\AutoRun.Inf is no folder"
e2e_expect_eq "$(ls -A "$stick/AUTORUN.INF")" Desktop.ini "content of G:\\AutoRun.Inf"
e2e_expect_eq "$(cat "$stick/AUTORUN.INF/Desktop.ini")" \
  $'[.ShellClassInfo]\r\nCLSID={2559a1f2-21d7-11d4-bdaf-00c04f60b9f0}\r' "text of Desktop.ini"
e2e_expect_eq "$(e2e_attributes 'G:\AutoRun.Inf\Desktop.ini')" RHSA "attributes of Desktop.ini"
e2e_expect_eq "$(e2e_attributes 'G:\AutoRun.Inf')" HS "attributes of G:\\AutoRun.Inf"

# The program shows the cleaned stick: its folders, the recovered one among them.
e2e_wait_for 10 "the folder list of the cleaned stick" is 'frmMain.List1.list(0)' 'G:\'
folders=$(n=$(get frmMain.List1.listcount) && for ((i = 1; i < n; i++)); do
  get "frmMain.List1.list($i)"
done | LC_ALL=C sort | tr '\n' ' ')
e2e_expect_eq "$folders" "G:\\AUTORUN.INF G:\\Docs G:\\$recovered G:\\Photos " "folder list after the run"
