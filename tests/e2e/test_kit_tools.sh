#!/usr/bin/env bash
# The Kit tools as shipped, under Wine: Ombra.exe empties the folder named by
# TEMP but leaves a file in use and a folder link (and what it leads to)
# alone; Sedil.exe empties the prefetch folder; both refuse folders that must
# never be emptied, with their own exit codes, and touch nothing there.
# timeout: 180
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin "$NORVANE_DIST/Kit/Ombra.exe"

drive_c=$WINEPREFIX/drive_c
root=$drive_c/kit-tools
rm -rf "$root"
mkdir -p "$root/bin"
cp "$NORVANE_DIST/Kit/Ombra.exe" "$NORVANE_DIST/Kit/Sedil.exe" "$root/bin/"

# Runs a tool with TEMP set as given and prints its exit code. Wine sets TEMP
# from the prefix for every process it starts, so the value is set inside cmd,
# which then waits for the windowless tool and passes its exit code on.
# cmd answers 1 itself when it could not start the tool (it happened once in
# many runs under Wine); what cmd said is kept in the test's fixtures folder.
run_tool() {
  local tool=$1 temp=$2 status=0
  e2e_wine cmd /c "set TEMP=$temp&& start /wait /b C:\\kit-tools\\bin\\$tool" \
    >>"$E2E_FIXTURES/run_tool.log" 2>&1 || status=$?
  echo "$status"
}
# The refusal cases: a code other than the one expected is asked once more
# before it counts, so that a start that cmd could not make is not read as
# the tool's answer (the tool's refusals do not change between two runs).
expect_refusal() {
  local tool=$1 folder=$2 code=$3 what=$4 got
  got=$(run_tool "$tool" "$folder")
  if [[ $got != "$code" ]]; then
    e2e_log "$tool on $what answered $got; asking once more (cmd said: $(tail -n 3 "$E2E_FIXTURES/run_tool.log" | tr '\r\n' '  '))"
    got=$(run_tool "$tool" "$folder")
  fi
  e2e_expect_eq "$got" "$code" "$tool on $what"
}

# --- Ombra.exe on a temporary folder ------------------------------------------
temp=$root/temp
mkdir -p "$temp/setup/cab/deep" "$root/outside"
for i in $(seq 1 40); do echo "scratch $i" >"$temp/f$i.tmp"; done
echo deep >"$temp/setup/cab/deep/x.cab"
echo ro >"$temp/readonly.tmp"
chmod 444 "$temp/readonly.tmp" # read-only as Wine shows it
echo keep >"$root/outside/precious.txt"
# A folder link leading out of the folder (Wine cannot make junctions; a
# Linux folder symlink reads as a folder link there).
ln -s "$root/outside" "$temp/link"
# A file in use, held open the way a running program holds it (no sharing
# for deletion) by the test tool holdfile.exe beside the dist folder, until
# the release file appears.
holdfile=$(dirname "$NORVANE_DIST")/holdfile.exe
[[ -f $holdfile ]] || e2e_fail "$holdfile is missing"
cp "$holdfile" "$root/bin/"
e2e_wine 'C:\kit-tools\bin\holdfile.exe' 'C:\kit-tools\temp\inuse.log' 'C:\kit-tools\release' \
  >"$E2E_FIXTURES/holdfile.out" 2>&1 &
holder=$!
e2e_wait_for 20 "holdfile to open the file" grep -q holding "$E2E_FIXTURES/holdfile.out"

e2e_expect_eq "$(run_tool Ombra.exe 'C:\kit-tools\temp')" 0 "Ombra.exe exit code"
touch "$root/release"
wait "$holder" || e2e_fail "holdfile failed"

left=$(cd "$temp" && find . -mindepth 1 | sort | tr '\n' ' ')
e2e_expect_eq "$left" "./inuse.log ./link " "what Ombra.exe left in the folder"
[[ -L $temp/link ]] || e2e_fail "the folder link was not left as a link"
e2e_expect_eq "$(cat "$root/outside/precious.txt")" keep "the file behind the link"

# --- Sedil.exe on the prefetch folder -----------------------------------------
prefetch=$drive_c/windows/Prefetch
mkdir -p "$prefetch"
for i in 1 2 3; do echo pf >"$prefetch/APP$i.EXE-0000000$i.pf"; done
e2e_expect_eq "$(run_tool Sedil.exe 'C:\unused')" 0 "Sedil.exe exit code"
e2e_expect_eq "$(find "$prefetch" -mindepth 1 | wc -l)" 0 "entries left in the prefetch folder"

# --- Refusals: the exit code names the reason, nothing is touched -------------
sentinels=("$drive_c/windows/win.ini" "$drive_c/users/root/sentinel.txt" "$root/outside/precious.txt")
echo here >"$drive_c/users/root/sentinel.txt"
while IFS='|' read -r folder code what; do
  expect_refusal Ombra.exe "$folder" "$code" "$what"
done <<'CASES'
C:\|4|the drive root
C:\windows|5|the Windows folder
C:\users|6|a folder holding the user's profile
C:\users\root|6|the user's profile
C:\kit-tools\missing|2|a missing folder
kit-tools\temp|1|a relative path
C:\kit-tools\temp\link|3|a folder link
CASES
for f in "${sentinels[@]}"; do
  [[ -f $f ]] || e2e_fail "$f was removed by a refused run"
done
e2e_log "ok: every refused folder kept its files"
rm -f "$drive_c/users/root/sentinel.txt"
rm -rf "$root"
