#!/usr/bin/env bash
# Browsing a stick under Wine: a click on the stick's row in the drive table
# lists its root and first-level folders (a hidden one included) and the
# root's files (hidden and system ones included), and an Arabic file name
# comes back unmangled from the file list and, once selected, from the path
# field. Pulling the stick out while Norvane runs takes its row out of the
# table within about two seconds; putting it back brings the row back.
# Screenshot: the browsing panel with the stick chosen.
# timeout: 240
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin

arabic='تقرير.txt'
stick=$(e2e_tempdir)
mkdir -p "$stick/Docs" "$stick/Secret"
printf 'notes\n' >"$stick/readme.txt"
printf 'report\n' >"$stick/$arabic"
printf 'sys\n' >"$stick/boot.dat"
printf 'hidden\n' >"$stick/hidden.txt"
printf 'doc\n' >"$stick/Docs/a.txt"
e2e_map_drive g "$stick" removable STICK
# Hidden and system flags are set from the Windows side, where Wine keeps
# them (in an extended attribute of the file).
e2e_wine cmd /c 'attrib +h G:\Secret && attrib +h G:\hidden.txt && attrib +s G:\boot.dat' >/dev/null

e2e_start_norvane
e2e_wait_for 60 "the main window alone" e2e_forms_are frmMain

get() { e2e_automate get "$1"; }
is() { [[ $(get "$1") == "$2" ]]; }
# The entries of a list, one a line, sorted (a file system's order is its own).
entries() {
  local list=$1 n i
  n=$(get "$list.listcount")
  for ((i = 0; i < n; i++)); do get "$list.list($i)"; done | LC_ALL=C sort
}
stick_row() { e2e_drive_row g; }
has_stick() { (($(stick_row) >= 0)); }
no_stick() { (($(stick_row) < 0)); }

# --- The stick's row, chosen as a user's click on it ---------------------------
row=$(stick_row)
((row >= 0)) || e2e_fail "drive G: is not in the drive table"
e2e_expect_eq "$(get "frmMain.ListView1.item($row,1)")" "  [STICK] (G:)" "name of the stick's row"
e2e_automate select frmMain.ListView1 "$row" >/dev/null
e2e_wait_for 20 "the folder list of G:" is 'frmMain.List1.list(0)' 'G:\'
e2e_expect_eq "$(get frmMain.List2.listindex)" "$row" "chosen drive"
e2e_expect_eq "$(get 'frmMain.List1.list(0)')" 'G:\' "first entry of the folder list"
e2e_expect_eq "$(entries frmMain.List1 | tr '\n' ' ')" 'G:\ G:\Docs G:\Secret ' "folder list of G:"
e2e_wait_for 10 "the file list of G:\\" is frmMain.filList.path 'G:\'
# The drive's label file is hidden, as every dot name reads under Wine.
expected=$(printf '%s\n' .windows-label boot.dat hidden.txt readme.txt "$arabic" | LC_ALL=C sort)
e2e_expect_eq "$(entries frmMain.filList)" "$expected" "files listed for G:\\"

# --- The Arabic name: listed and carried into the path field as it is ----------
e2e_automate select frmMain.List1 0 >/dev/null
e2e_wait_for 10 "the root chosen in the folder list" is frmMain.Text1.text 'G:\'
index=-1
n=$(get frmMain.filList.listcount)
for ((i = 0; i < n; i++)); do
  [[ $(get "frmMain.filList.list($i)") == "$arabic" ]] && index=$i
done
((index >= 0)) || e2e_fail "$arabic is not in the file list"
e2e_automate select frmMain.filList "$index" >/dev/null
e2e_wait_for 10 "the Arabic file's path" is frmMain.Text1.text "G:\\$arabic"
e2e_expect_eq "$(get frmMain.filList.filename)" "$arabic" "selected file name"
e2e_expect_eq "$(get frmMain.Bite1.caption)" "0.01  KB" "size of the selected file (7 bytes)"
e2e_screenshot browse

# --- Pulling the stick out and putting it back ---------------------------------
# The poll ticks once a second; a rebuild costs 0.01 s per drive. The time
# includes the checks' own requests (a few tenths of a second).
ms() { echo $((${EPOCHREALTIME/./} / 1000)); }
e2e_unplug_drive g
start=$(ms)
e2e_wait_for 3 "the stick's row to go" no_stick
e2e_log "ok: row gone $(($(ms) - start)) ms after the stick was pulled"
e2e_wait_for 5 "the first drive chosen" is 'frmMain.List1.list(0)' 'C:\'

e2e_map_drive g "$stick" removable STICK
start=$(ms)
e2e_wait_for 3 "the stick's row to come back" has_stick
e2e_log "ok: row back $(($(ms) - start)) ms after the stick was put in"
row=$(stick_row)
e2e_expect_eq "$(get "frmMain.ListView1.item($row,1)")" "  [STICK] (G:)" "name of the returned row"
e2e_automate select frmMain.ListView1 "$row" >/dev/null
e2e_wait_for 20 "the folder list of G: again" is 'frmMain.List1.list(0)' 'G:\'
e2e_expect_eq "$(entries frmMain.List1 | tr '\n' ' ')" 'G:\ G:\Docs G:\Secret ' \
  "folder list of the returned stick"
