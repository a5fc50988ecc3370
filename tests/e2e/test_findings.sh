#!/usr/bin/env bash
# Findings of a clean run under Wine reach the results window, and its OK
# button (Form4.Command2) deletes exactly the listed files. The stick holds
# one file for each rule (at the root and in folders), look-alikes that no
# rule lists (a shortcut in a folder, a PIF under Desktop, 19 underscores, a
# prefix of a listed name), and an Arabic program named like an Arabic
# folder beside a Latin file that "?" wildcards would take for it. The rows
# are read back through norvane-automate (name, folder, icon), then OK is
# clicked; afterwards the stick holds everything but the listed files, plus
# the AutoRun.Inf folder that every run leaves. Screenshot: the results
# window with its rows.
# timeout: 300
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin

u20=____________________ # 20 underscores
stick=$(e2e_tempdir)
mkdir -p "$stick/Docs" "$stick/Desktop" "$stick/Music" "$stick/صور"
# name | what the run must do with it: the icon of its row, or "keep"
fixture=(
  'a.lnk|1' 'hidden.lnk|1' 'cache.tmp|4' 'thumbs.db|5' 'setup.pif|3' 'kavo.exe|2'
  'Music.exe|2' 'صور.exe|2' 'x.{645FF040-5081-101B-9F08-00AA002F954E}|2' 'bootINIT|11'
  "holiday$u20.exe|2"
  'Docs/c.pif|3' 'Docs/kavo.exe|2' 'Docs/d.tmp|4'
  'report.doc|keep' 'notes.txt|keep' 'readme.exe|keep' 'abc.exe|keep' 'kavo.ex|keep'
  "holiday${u20:1}.exe|keep" 'Docs/b.lnk|keep' 'Desktop/d.pif|keep' 'Music/song.mp3|keep'
  'صور/pic.jpg|keep'
)
expected_rows=()
for entry in "${fixture[@]}"; do
  file=${entry%|*}
  printf 'content of %s\n' "$file" >"$stick/$file"
  if [[ ${entry#*|} != keep ]]; then
    folder=G:\\
    [[ $file == */* ]] && folder=G:\\${file%/*}
    expected_rows+=("$folder|${file##*/}|${entry#*|}")
  fi
done
e2e_map_drive g "$stick" removable STICK
e2e_set_attributes 'G:\hidden.lnk' +h
(cd "$stick" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort) >"$E2E_FIXTURES/before"

e2e_start_norvane
e2e_wait_for 60 "the main window alone" e2e_forms_are frmMain

get() { e2e_automate get "$1"; }
is() { [[ $(get "$1") == "$2" ]]; }

e2e_clean_until_results g

# Every row: folder, name and the icon of its kind.
listed=$(e2e_result_rows icons | LC_ALL=C sort)
e2e_expect_eq "$listed" "$(printf '%s\n' "${expected_rows[@]}" | LC_ALL=C sort)" \
  "rows of the results window (folder|name|icon)"
e2e_expect_eq "$(get Form4.Label7.caption)" "${#expected_rows[@]}" "total findings"
e2e_expect_eq "$(get Form4.Label3.caption)" 4 "shortcut findings (LNK, PIF)"
e2e_expect_eq "$(get Form4.Label4.caption)" 3 "temporary findings (TMP, .DB)"
e2e_expect_eq "$(get Form4.Label100.caption)" 7 "other findings"
e2e_expect_eq "$(get Form4.Command2.enabled)" true "OK before any deletion"
e2e_screenshot form4

# OK deletes all listed files and closes the window; the run then ends.
e2e_automate click Form4.Command2 >/dev/null
e2e_wait_for 60 "the run to end" is frmMain.Timer10.interval 0
e2e_expect_eq "$(e2e_has_form Form4 && echo loaded || echo unloaded)" unloaded "results window"

# The stick: everything that was there but the listed files, and the
# AutoRun.Inf folder with its Desktop.ini.
for r in "${expected_rows[@]}"; do
  folder=${r%%|*}
  rest=${r#*|}
  folder=${folder#G:\\}
  printf '%s\n' "${folder:+$folder/}${rest%|*}"
done >"$E2E_FIXTURES/listed"
expected=$({
  grep -vxF -f "$E2E_FIXTURES/listed" "$E2E_FIXTURES/before"
  printf '%s\n' AUTORUN.INF AUTORUN.INF/Desktop.ini
} | LC_ALL=C sort)
actual=$(cd "$stick" && find . -mindepth 1 -printf '%P\n' | sed 's|^AutoRun\.Inf|AUTORUN.INF|I' |
  LC_ALL=C sort)
e2e_expect_eq "$actual" "$expected" "what the stick holds after the deletion"
for entry in "${fixture[@]}"; do
  file=${entry%|*}
  if [[ ${entry#*|} == keep ]]; then
    e2e_expect_eq "$(cat "$stick/$file")" "content of $file" "content of $file"
  fi
done
