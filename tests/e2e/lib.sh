# shellcheck shell=bash
# Shared shell library for running Norvane's Windows build under Wine.
#
# Sourced by the end-to-end tests (tests/e2e/test_*.sh) and by scripts/start.sh.
# Sourcing only defines functions; a test calls e2e_begin, which sets up the
# display, the Wine prefix and the clean-up trap.
#
# A test sees (from CTest, see e2e.cmake):
#   NORVANE_DIST  the dist folder under test (Norvane.exe, norvane-automate.exe, Kit, Lang)
#   E2E_OUT       where screenshots and logs go; the Wine prefix lives in $E2E_OUT/prefix
#
# The comments below say which behaviour of Wine (8.0, as measured) each step
# is there for.

E2E_SCREEN=${E2E_SCREEN:-1024x768x24}
E2E_APP_WIN='C:\Norvane' # the app folder as Norvane sees it
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
# Bump when the prefix recipe below changes, so that old prefixes are redone.
E2E_PREFIX_RECIPE=3

e2e_log() { printf 'e2e: %s\n' "$*" >&2; }
e2e_fail() {
  printf 'e2e: FAIL: %s\n' "$*" >&2
  exit 1
}

# --- Which Wine -------------------------------------------------------------

# True when 32-bit Windows programs can run: the 32-bit loader must exist and
# the kernel must be able to execute it (some kernels have 32-bit emulation
# switched off, and then the loader fails with "Exec format error").
e2e_wine32_works() {
  [[ -x $WINE32 ]] && "$WINE32" --version >/dev/null 2>&1
}

# Prints i386 or x86_64 for a Windows executable (from its PE header).
e2e_exe_arch() {
  local exe=$1 pe machine
  pe=$(od -An -t u4 -j 60 -N 4 "$exe" | tr -d ' ')
  machine=$(od -An -t x2 -j $((pe + 4)) -N 2 "$exe" | tr -d ' ')
  case $machine in
    014c) echo i386 ;;
    8664) echo x86_64 ;;
    *) echo "unknown-$machine" ;;
  esac
}

# Sets WINE (the loader for the programs in $1's folder) and says which build
# runs under which Wine, so that every test log shows it.
e2e_choose_wine() {
  local exe=$1 arch
  arch=$(e2e_exe_arch "$exe")
  case $arch in
    i386)
      e2e_wine32_works || e2e_fail "$exe is 32-bit, but 32-bit Wine cannot run on this machine"
      WINE=$WINE32
      e2e_log "running the 32-bit build under 32-bit Wine"
      ;;
    x86_64)
      WINE=$WINE64
      if e2e_wine32_works; then
        e2e_log "running the 64-bit build under wine64"
      else
        e2e_log "running the 64-bit build under wine64 (32-bit Wine cannot run on this machine)"
      fi
      ;;
    *) e2e_fail "$exe is not a Windows program we can run ($arch)" ;;
  esac
  export WINE
}

# Runs a Windows program (or Wine tool such as reg) in the prefix. The working
# folder is C:\, because the prefix has no drive for the Linux tree (Wine would
# complain about the working folder and start in C:\windows).
e2e_wine() {
  (cd "$WINEPREFIX/drive_c" && "${WINE:-$WINE64}" "$@")
}

# Writes a registry value into the 64-bit view (/reg:64), which is the one
# Wine's own services and font code read, and into the 32-bit view as well
# so that 32-bit programs see the same value.
e2e_reg_add() {
  local key=$1 name=$2 type=$3 data=$4 view
  for view in 64 32; do
    e2e_wine reg add "$key" /v "$name" /t "$type" /d "$data" /f /reg:$view >/dev/null
  done
}

# --- Display ----------------------------------------------------------------

# Starts Xvfb on a free display and sets DISPLAY. It must run before any Wine
# call: the first Wine process after wineserver starts decides whether there
# is a display, and without one every later CreateWindow fails.
e2e_start_xvfb() {
  local fifo display
  fifo=$(mktemp -u "${TMPDIR:-/tmp}/e2e-display.XXXXXX")
  mkfifo "$fifo"
  # -displayfd: Xvfb picks a free display itself and writes its number.
  Xvfb -displayfd 3 -screen 0 "$E2E_SCREEN" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  E2E_XVFB_PID=$!
  [[ -n ${E2E_OUT-} ]] && echo "$E2E_XVFB_PID" >"$E2E_OUT/.xvfb.pid"
  if ! read -r -t 20 display <"$fifo"; then
    rm -f "$fifo"
    e2e_fail "Xvfb did not start"
  fi
  rm -f "$fifo"
  export DISPLAY=":$display"
}

# A compositor, for tests that look at layered-window alpha: without one the
# alpha is accepted but not drawn.
e2e_start_compositor() {
  xcompmgr >/dev/null 2>&1 &
  E2E_XCOMPMGR_PID=$!
  sleep 0.3
}

# Saves a screenshot of the whole screen as $E2E_OUT/<name>.png.
e2e_screenshot() {
  local name=$1
  import -window root "$E2E_OUT/$name.png" || e2e_fail "screenshot $name failed"
  e2e_log "screenshot $E2E_OUT/$name.png"
}

# --- Prefix -----------------------------------------------------------------

# Makes the Wine prefix at $WINEPREFIX once and reuses it (a new prefix takes
# about 20 s and 1.3 GB). A stamp file records the recipe it was made with.
e2e_prepare_prefix() {
  local stamp=$WINEPREFIX/.norvane-prefix
  if [[ -f $stamp && $(<"$stamp") == "$E2E_PREFIX_RECIPE" ]]; then
    return 0
  fi
  e2e_log "making the Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # wineboot as 64-bit: the prefix then serves both 32- and 64-bit programs.
  (cd "$WINEPREFIX" && "$WINE64" wineboot -i) >/dev/null 2>&1 || e2e_fail "wineboot failed"
  wineserver -w
  # The default prefix maps Z: to /; a program that walks every drive would
  # walk the whole Linux tree.
  rm -f "$WINEPREFIX/dosdevices/z:"
  # A crashing program must end at once with a backtrace on stderr, not wait
  # on Wine's crash dialog.
  e2e_wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
  # Without a window manager, Wine waits about 2 s for one every time a
  # managed window is hidden or destroyed (the splash alone closes eight).
  # Unmanaged windows are placed and hidden by Wine itself, at once.
  e2e_reg_add 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ N
  # Debian's wine64 looks for Wine's own fonts (Tahoma, Marlett for the
  # caption buttons, Webdings) beside /usr/share/fonts, not in
  # /usr/share/wine/fonts where fonts-wine puts them; the prefix's Fonts
  # folder is always searched.
  if [[ -d /usr/share/wine/fonts ]]; then
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  # The UI faces have no Arabic glyphs here: link them to DejaVu Sans, so that
  # right-to-left languages draw as text rather than boxes.
  local face
  for face in Tahoma 'Microsoft Sans Serif' 'MS Sans Serif' Arial; do
    e2e_reg_add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      "$face" REG_MULTI_SZ 'DejaVuSans.ttf,DejaVu Sans'
  done
  # The font links are read when wineserver starts; HKCU values reach
  # user.reg only when it ends.
  wineserver -k || true
  wineserver -w
  echo "$E2E_PREFIX_RECIPE" >"$stamp"
}

# Removes every drive letter but C: from the prefix. Earlier tests may have
# left drives mapped to folders that no longer exist. Only while wineserver is
# down: a running server would not notice.
e2e_reset_drives() {
  local link
  for link in "$WINEPREFIX"/dosdevices/[a-z]:; do
    [[ -L $link && ${link##*/} != c: ]] && rm -f "$link"
  done
  return 0
}

# --- Drives -----------------------------------------------------------------

# plugdrive.exe sits in the Windows build folder, beside dist (it does not ship).
e2e_plugdrive() {
  local tool
  tool=$(dirname "$NORVANE_DIST")/plugdrive.exe
  [[ -f $tool ]] || e2e_fail "$tool is missing"
  e2e_wine "$tool" "$@"
}

# Maps a folder as a drive letter, at once, also while Norvane runs:
#   e2e_map_drive <letter> <folder> <removable|fixed|cdrom> [label]
# The label goes into the folder's .windows-label, which Wine reads when the
# drive is defined (Norvane then sees it as a hidden file in the root).
e2e_map_drive() {
  local letter=$1 folder=$2 type=$3 label=${4-}
  if [[ -n $label && -d $folder ]]; then
    printf '%s\n' "$label" >"$folder/.windows-label"
  fi
  e2e_plugdrive add "$letter" "$folder" "$type" >/dev/null || e2e_fail "mapping $letter: failed"
}

# Pulls a drive out, at once.
e2e_unplug_drive() {
  e2e_plugdrive remove "$1" >/dev/null || e2e_fail "removing $1: failed"
}

# A fresh folder for a fixture: e2e_tempdir prints its path. All of them
# live in one folder per test beside the test output (on the build's file
# system, which keeps the extended attributes where Wine stores hidden and
# system flags), removed when the test ends.
e2e_tempdir() {
  mktemp -d "$E2E_FIXTURES/fixture.XXXXXX"
}

# Changes the attributes of a file or folder from the Windows side, where Wine
# keeps hidden and system (in the user.DOSATTRIB extended attribute):
#   e2e_set_attributes 'G:\Photos' +h +s
# Wine's attrib applies only the last of several flags given in one call,
# so each flag gets a call of its own. (The path goes as an argument of its
# own: Wine quotes it when needed, and cmd takes quotes inside an argument
# literally.)
e2e_set_attributes() {
  local path=$1 flag
  shift
  for flag; do
    e2e_wine cmd /c attrib "$flag" "$path" >/dev/null || e2e_fail "attrib $flag $path failed"
  done
}

# Prints the attributes that Windows programs see on a file or folder, as the
# letters of R, H, S and A that are set, in that order ("HS"; empty for
# none). Fails when the path is not found. Wine does not keep read-only on a
# folder, and a name that starts with a dot always reads as hidden.
e2e_attributes() {
  local out flags letters= letter
  out=$(e2e_wine cmd /c attrib "$1" | tr -d '\r')
  [[ $out == *[A-Za-z]:\\* && $out != *$'\n'* ]] || return 1
  flags=${out%%[A-Za-z]:\\*}
  # Flag letters and blanks only ("File not found - G:\x" is no answer).
  [[ -n $flags && $flags =~ ^[A-Z\ ]+$ ]] || return 1
  for letter in R H S A; do
    [[ $flags == *"$letter"* ]] && letters+=$letter
  done
  echo "$letters"
}

# --- Norvane ----------------------------------------------------------------

# Runs one automation request and prints the answer (one line, without the
# CR of the Windows console). Returns the program's exit status.
e2e_automate() {
  local out status=0
  out=$(e2e_wine "$E2E_APP_WIN\\norvane-automate.exe" "$@") || status=$?
  printf '%s\n' "${out//$'\r'/}"
  return $status
}

# Waits until a shell command succeeds: e2e_wait_for <seconds> <what> <command...>
e2e_wait_for() {
  local seconds=$1 what=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < deadline)) || e2e_fail "timed out after ${seconds}s waiting for $what"
    if [[ -n ${E2E_NORVANE_PID-} ]] && ! kill -0 "$E2E_NORVANE_PID" 2>/dev/null; then
      e2e_fail "Norvane ended while waiting for $what"
    fi
    sleep 0.2
  done
}

# Prints the drive table's row of a drive letter (frmMain.ListView1, whose
# names end in "(G:)"), or -1 when the drive is not listed.
e2e_drive_row() {
  local letter=${1^^} rows r
  rows=$(e2e_automate get frmMain.ListView1.listcount)
  for ((r = 0; r < rows; r++)); do
    [[ $(e2e_automate get "frmMain.ListView1.item($r,1)") == *"($letter:)" ]] && echo "$r" && return
  done
  echo -1
}

# Chooses a drive as a user's click on its row does, and waits until the
# folder list shows its root.
e2e_choose_drive() {
  local letter=${1^^} row
  row=$(e2e_drive_row "$letter")
  ((row >= 0)) || e2e_fail "drive $letter: is not in the drive table"
  e2e_automate select frmMain.ListView1 "$row" >/dev/null
  e2e_wait_for 20 "the folder list of $letter:" e2e_folder_list_shows "$letter"
}
e2e_folder_list_shows() {
  [[ $(e2e_automate get 'frmMain.List1.list(0)') == "${1^^}:\\" ]]
}

# Chooses the drive, clicks Clean and waits until the results window shows
# (a clean run of a small stick).
e2e_clean_until_results() {
  e2e_choose_drive "$1"
  e2e_automate click frmMain.Command1 >/dev/null
  e2e_wait_for 120 "the results window" e2e_form_visible Form4
}
e2e_form_visible() { [[ $(e2e_automate get "$1.visible") == true ]]; }

# Prints the rows of the results window, one a line: folder|name, and
# |icon after them with "icons".
e2e_result_rows() {
  local rows r
  rows=$(e2e_automate get Form4.ListView1.listcount)
  for ((r = 0; r < rows; r++)); do
    printf '%s|%s' "$(e2e_automate get "Form4.ListView1.item($r,2)")" \
      "$(e2e_automate get "Form4.ListView1.item($r,1)")"
    [[ ${1-} == icons ]] && printf '|%s' "$(e2e_automate get "Form4.ListView1.icon($r)")"
    printf '\n'
  done
}

# True when the loaded forms (norvane-automate forms) include the given form.
e2e_has_form() {
  local forms
  forms=$(e2e_automate forms) || return 1
  [[ " $forms " == *" $1 "* ]]
}

# True when the loaded forms are exactly the given ones, in the order given.
e2e_forms_are() {
  local forms
  forms=$(e2e_automate forms) || return 1
  [[ $forms == "$*" ]]
}

# Copies the dist folder to C:\Norvane, a fresh app folder (so that File.txt
# and the other files written beside the program start empty). A test may
# change the copy ($E2E_APP) before e2e_start_norvane, e.g. remove its Lang.
e2e_install_norvane() {
  [[ -f $NORVANE_DIST/Norvane.exe ]] || e2e_fail "$NORVANE_DIST/Norvane.exe is missing"
  E2E_APP=$WINEPREFIX/drive_c/Norvane
  rm -rf "$E2E_APP"
  cp -r "$NORVANE_DIST" "$E2E_APP"
}

# Starts Norvane.exe from C:\Norvane (installing it first unless the test
# did) and waits until it answers automation requests.
e2e_start_norvane() {
  [[ -n ${E2E_APP-} ]] || e2e_install_norvane
  E2E_NORVANE_LOG=${E2E_NORVANE_LOG:-$E2E_OUT/$E2E_NAME.norvane.log}
  (cd "$WINEPREFIX/drive_c" && exec "$WINE" "$E2E_APP_WIN\\Norvane.exe" "$@") \
    >>"$E2E_NORVANE_LOG" 2>&1 &
  E2E_NORVANE_PID=$!
  e2e_wait_for 60 "Norvane to answer automation requests" e2e_automate forms
}

# Ends Norvane the hard way (every Wine process of the prefix), as a killed
# process ends: nothing is stored. The next e2e_start_norvane uses the same
# app folder unless the test installs it again.
e2e_stop_norvane() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wait "$E2E_NORVANE_PID" 2>/dev/null || true
  E2E_NORVANE_PID=
}

# Forgets what an earlier run of Norvane stored in the per-user settings
# store (the chosen language), so that every test starts as a first start.
e2e_reset_settings() {
  e2e_wine reg delete 'HKCU\Software\Mirelle' /f >/dev/null 2>&1 || true
}

# --- Checks -----------------------------------------------------------------

e2e_expect_eq() {
  local actual=$1 expected=$2 what=$3
  [[ $actual == "$expected" ]] || e2e_fail "$what: expected '$expected', got '$actual'"
  e2e_log "ok: $what = '$actual'"
}

# --- Test frame -------------------------------------------------------------

# Stops everything the test started, also when it failed: every Wine process
# of the prefix (Norvane included), the compositor, Xvfb, the fixtures.
e2e_end() {
  local status=$?
  trap - EXIT
  if [[ -n ${WINEPREFIX-} ]]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
  if [[ -n ${E2E_NORVANE_PID-} ]]; then
    wait "$E2E_NORVANE_PID" 2>/dev/null || true
  fi
  if ((status != 0)) && [[ -s ${E2E_NORVANE_LOG-} ]]; then
    e2e_log "Norvane's output ($E2E_NORVANE_LOG):"
    tail -n 40 "$E2E_NORVANE_LOG" >&2
  fi
  if [[ -n ${E2E_XCOMPMGR_PID-} ]]; then
    kill "$E2E_XCOMPMGR_PID" 2>/dev/null || true
  fi
  if [[ -n ${E2E_XVFB_PID-} ]]; then
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
    rm -f "$E2E_OUT/.xvfb.pid"
  fi
  if [[ -n ${E2E_FIXTURES-} ]]; then
    rm -rf "$E2E_FIXTURES"
  fi
  exit "$status"
}

# Sets up a test: output folder, Wine choice, display, prefix, no stray drives.
#   e2e_begin [program]   the program whose build (32- or 64-bit) picks the
#                         Wine loader; Norvane.exe of the dist by default
e2e_begin() {
  : "${NORVANE_DIST:?NORVANE_DIST must name the dist folder under test}"
  : "${E2E_OUT:?E2E_OUT must name the output folder}"
  E2E_NAME=$(basename "$0" .sh)
  # Wine runs programs from C:\, so every path handed to it must be absolute.
  NORVANE_DIST=$(realpath -m "$NORVANE_DIST")
  E2E_OUT=$(realpath -m "$E2E_OUT")
  mkdir -p "$E2E_OUT"
  E2E_FIXTURES=$E2E_OUT/$E2E_NAME.fixtures
  E2E_NORVANE_LOG=$E2E_OUT/$E2E_NAME.norvane.log
  rm -f "$E2E_NORVANE_LOG"
  rm -rf "$E2E_FIXTURES"
  mkdir -p "$E2E_FIXTURES"
  export WINEPREFIX=${E2E_PREFIX:-$E2E_OUT/prefix}
  export WINEDEBUG=-all
  trap e2e_end EXIT
  local program=${1:-$NORVANE_DIST/Norvane.exe}
  [[ -f $program ]] || e2e_fail "$program is missing (was the Windows build made?)"
  e2e_choose_wine "$program"
  # A run killed on its timeout had no chance to clean up: a server left over
  # would keep an old display and old drives, and its Xvfb would linger.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  local stale
  stale=$(cat "$E2E_OUT/.xvfb.pid" 2>/dev/null) || true
  if [[ -n $stale && $(cat "/proc/$stale/comm" 2>/dev/null) == Xvfb ]]; then
    kill "$stale"
  fi
  e2e_start_xvfb
  e2e_prepare_prefix
  e2e_reset_drives
  e2e_reset_settings
}
