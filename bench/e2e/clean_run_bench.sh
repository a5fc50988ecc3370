#!/usr/bin/env bash
# Clean-run benchmark under Wine: how close a whole clean run comes to the
# floor that its own pauses set, and how much CPU Norvane spends on it.
# A measuring script, not a test: CTest does not run it.
#
# Usage, after the native and the 64-bit Windows builds (scripts/test.sh
# makes both; any dist folder of an x86_64 build will do):
#   NORVANE_DIST=build/win64/dist bench/e2e/clean_run_bench.sh [runs] [files] [folders]
#     runs     clean runs to time (default 3)
#     files    files on the stick (default 300), spread over `folders`
#              first-level folders (default 5); the first five folders hold
#              one .tmp and one .vbs each: 10 findings
#   BENCH_POLL=<ms>  how often the driver looks for the results window and
#                    the end of the run (default 50; each look is one
#                    automation request that Norvane answers)
#   BENCH_BARE_X=1   leave the display without an X resource database
#                    (see below)
# Output: one line per run, then the median; logs, the driver and a Wine
# prefix of its own go to $E2E_OUT (default: bench-e2e beside the dist).
#
# Each run: a fresh stick (G:, removable), Norvane started once with the
# stick chosen by a click on its row; the driver clean_run_driver.exe (built
# here from clean_run_driver.cpp with MinGW) clicks Clean, answers the
# results window with OK as soon as it shows, and times the run from the
# click until Timer10 is back at 0. CPU: Norvane's and the Wine server's
# user+system time from /proc over the driver's lifetime (GetProcessTimes
# on another process is not reliable under Wine).
#
# The floor is what the pauses and timers of the run add up to:
#   1 s       the armed wait before the first tick of Timer10
#   0.01 s    per examined item: the root, its files, each folder, its files
#   0.05 s    per finding (AddFinding) and per entry of List5 (before DelTree)
#   0.01 s    per row that the results window's OK deletes
#   0.01 s    per gap between two ticks (one tick per entry of List1)
# Targets: wall time within 1.10 x the floor, Norvane's CPU under 15 % of one
# core.
#
# The display gets an X resource database (one harmless entry), as every
# desktop session has: without one, Xlib reads ~/.Xdefaults again on every
# XGetDefault, and Wine asks it each time a font is selected into a window's
# device context, which adds about a millisecond per examined item.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$root/tests/e2e/lib.sh"

runs=${1:-3}
files=${2:-300}
folders=${3:-5}
poll=${BENCH_POLL:-50}
: "${NORVANE_DIST:?set NORVANE_DIST to the dist folder of the 64-bit Windows build}"
NORVANE_DIST=$(realpath "$NORVANE_DIST")
export E2E_OUT=${E2E_OUT:-$(dirname "$NORVANE_DIST")/bench-e2e}
mkdir -p "$E2E_OUT"

driver=$E2E_OUT/clean_run_driver.exe
if [[ ! -f $driver || $here/clean_run_driver.cpp -nt $driver ||
  $root/src/automation/win32/client.h -nt $driver ]]; then
  x86_64-w64-mingw32-g++ -std=c++20 -O2 -static -DUNICODE -D_UNICODE -I"$root/src" \
    "$here/clean_run_driver.cpp" -o "$driver" -luser32
fi

e2e_begin
if [[ -z ${BENCH_BARE_X-} ]]; then
  command -v xprop >/dev/null || e2e_fail "xprop (x11-utils) is needed, or set BENCH_BARE_X=1"
  xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "norvane.bench: 1"
fi

stick=$(e2e_tempdir)
per_folder=$((files / folders))
# Lays out the stick afresh: `folders` folders of `per_folder` files, two of
# them findings in each of the first five folders.
make_stick() {
  find "$stick" -mindepth 1 -maxdepth 1 ! -name .windows-label -exec rm -rf {} +
  local f i
  for ((f = 1; f <= folders; f++)); do
    mkdir -p "$stick/Album$f"
    for ((i = 1; i <= per_folder; i++)); do
      if ((f <= 5 && i == 1)); then
        printf 'x' >"$stick/Album$f/cache$f.tmp"
      elif ((f <= 5 && i == 2)); then
        printf 'x' >"$stick/Album$f/script$f.vbs"
      else
        printf 'photo %d %d\n' "$f" "$i" >"$stick/Album$f/photo_$i.jpg"
      fi
    done
  done
}
make_stick
e2e_map_drive g "$stick" removable STICK
e2e_start_norvane
e2e_wait_for 60 "the main window alone" e2e_forms_are frmMain
get() { e2e_automate get "$1"; }
is() { [[ $(get "$1") == "$2" ]]; }
e2e_choose_drive g

# CPU ticks (user + system) of a process, from /proc.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
# This prefix's Wine server: the one working in the folder named after the
# prefix's device and inode.
read -r dev inode < <(stat -c '%d %i' "$WINEPREFIX")
server_dir=$(printf 'server-%x-%x' "$dev" "$inode")
server=
for p in $(pgrep wineserver); do
  [[ $(readlink "/proc/$p/cwd") == */"$server_dir" ]] && server=$p
done
[[ -n $server ]] || e2e_fail "the Wine server of $WINEPREFIX was not found"

results=()
for ((run = 1; run <= runs; run++)); do
  make_stick
  norvane0=$(ticks "$E2E_NORVANE_PID")
  server0=$(ticks "$server")
  line=$(e2e_wine "$driver" "$poll" | tr -d '\r')
  norvane1=$(ticks "$E2E_NORVANE_PID")
  server1=$(ticks "$server")
  # wall= results_at= rows= list5= list1= root_files= requests=
  declare wall results_at rows list5 list1 root_files requests
  for pair in $line; do declare "${pair%%=*}=${pair#*=}"; done
  # The root and its files, then each further folder and its files.
  items=$((1 + root_files + (list1 - 1) + files))
  results+=("$(awk -v run="$run" -v w="$wall" -v a="$results_at" -v i="$items" -v r="$rows" -v l="$list5" \
    -v f="$list1" -v n=$((norvane1 - norvane0)) -v s=$((server1 - server0)) -v hz="$hz" \
    -v q="$requests" 'BEGIN {
      floor = 1 + 0.01 * i + 0.05 * r + 0.05 * l + 0.01 * r + 0.01 * (f - 1)
      printf "%.3f run %d: wall %.3f s (results window after %.3f s), floor %.3f s (%d items, %d findings, %d List5 entries): %.3f x floor; Norvane CPU %.2f s = %.1f %% of one core; Wine server CPU %.2f s; %d automation requests\n",
        w / floor, run, w, a, floor, i, r, l, w / floor, n / hz, 100 * n / hz / w, s / hz, q
    }')")
  printf '%s\n' "${results[-1]#* }"
done
median=$(printf '%s\n' "${results[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
printf 'median: %s\n' "${median#* }"
