#!/usr/bin/env bash
# Ascendor starts the program named by the first line of _AdAscendor beside it,
# with the "runas" verb, passing its own argument text with "/admin" appended;
# the program here is echoargs.exe, which writes the command line it received
# beside itself. A missing or empty configuration starts nothing and is
# reported (on stderr, as ASCENDOR_QUIET asks).
# timeout: 180
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin "$NORVANE_DIST/Ascendor.exe"

echoargs=$(dirname "$NORVANE_DIST")/echoargs.exe
[[ -f $echoargs ]] || e2e_fail "$echoargs is missing (was the Windows build made?)"

# The launcher asks for no elevation itself.
grep -q 'level="asInvoker"' "$NORVANE_DIST/Ascendor.exe" ||
  e2e_fail "Ascendor.exe carries no asInvoker manifest"
e2e_log "ok: Ascendor.exe runs as the invoking user"

folder=$WINEPREFIX/drive_c/Launch
rm -rf "$folder"
mkdir -p "$folder"
cp "$NORVANE_DIST/Ascendor.exe" "$echoargs" "$folder/"
out=$folder/echoargs.out

# Starts the launcher with the given arguments and prints its exit status;
# its standard error goes to $E2E_OUT/ascendor.err.
ascendor() {
  local status=0
  rm -f "$out"
  ASCENDOR_QUIET=1 e2e_wine 'C:\Launch\Ascendor.exe' "$@" 2>"$E2E_OUT/ascendor.err" || status=$?
  echo "$status"
}
# The command line echoargs.exe was started with (it starts on its own, after
# the launcher has ended).
started() {
  e2e_wait_for 30 "echoargs.exe to write its command line" test -s "$out"
  tr -d '\r\n' <"$out"
}

printf 'echoargs.exe\r\nnever-read.exe\r\n' >"$folder/_AdAscendor"
e2e_expect_eq "$(ascendor x)" 0 "exit status with a program configured"
e2e_expect_eq "$(started)" '"C:\Launch\echoargs.exe" x/admin' "command line for the argument x"

e2e_expect_eq "$(ascendor)" 0 "exit status without arguments"
e2e_expect_eq "$(started)" '"C:\Launch\echoargs.exe" /admin' "command line without arguments"

e2e_expect_eq "$(ascendor -f 'G:\a b')" 0 "exit status with two arguments"
e2e_expect_eq "$(started)" '"C:\Launch\echoargs.exe" -f "G:\a b"/admin' \
  "command line for two arguments, one quoted"

# Nothing configured: an error report, exit status 1, nothing started.
for case in missing empty; do
  rm -f "$folder/_AdAscendor"
  [[ $case == empty ]] && : >"$folder/_AdAscendor"
  e2e_expect_eq "$(ascendor x)" 1 "exit status with the configuration $case"
  sleep 2
  [[ ! -e $out ]] || e2e_fail "a program was started with the configuration $case"
  report=$(tr -d '\r' <"$E2E_OUT/ascendor.err")
  case $case in
    missing) expected='was not found next to the launcher' ;;
    empty) expected='is empty' ;;
  esac
  [[ $report == *"_AdAscendor"*"$expected"* ]] || e2e_fail "report for $case: '$report'"
  e2e_log "ok: configuration $case reported: $report"
done
