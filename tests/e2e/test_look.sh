#!/usr/bin/env bash
# How Norvane looks under Wine, and the title strip that moves its borderless
# main window. Screenshots (looked at by a person; the checks below only
# catch what a program can see):
#   splash-opaque.png  the splash without a compositor (alpha not drawn)
#   splash.png         the splash mid-fade, with a compositor
#   main.png           the main window after the start
#   about.png          the About window (Form5) over it
# The splash must show centred as a 4 x 2 grid before the main window, and
# fading in: with a compositor its tiles are translucent, so they show less
# contrast than the same tiles drawn opaque.
# timeout: 240
set -euo pipefail
source "$(dirname "$0")/lib.sh"

get() { e2e_automate get "$1"; }
is() { [[ $(get "$1" 2>/dev/null) == "$2" ]]; }

# A statistic of a region of a screenshot (grey levels 0..1):
#   region <png> <WxH+X+Y> <fx expression, e.g. mean, minima, maxima>
region() {
  convert "$1" -crop "$2" +repage -colorspace Gray -format "%[fx:$3]" info:
}
# True when a floating-point comparison holds: holds '<a> < <b>'
holds() { awk "BEGIN { exit !($*) }"; }

# The screen and the splash grid (4 x 2 tiles of 1305 x 780 twips, centred).
read -r screen_w screen_h < <(tr 'x' ' ' <<<"${E2E_SCREEN%x*}")
grid_w=$((4 * 1305 / 15))
grid_h=$((2 * 780 / 15))
# What the splash shots hold: the grid with a margin of 40 pixels, and 100
# above it, where a band 60 pixels high shows the background until the main
# window (which covers it, and the grid) opens. Offsets within a shot:
margin=40
shot_w=$((grid_w + 2 * margin))
shot_h=$((grid_h + 100 + margin))
shot="${shot_w}x${shot_h}+$(((screen_w - grid_w) / 2 - margin))+$(((screen_h - grid_h) / 2 - 100))"
grid="${grid_w}x${grid_h}+${margin}+100"
band="${grid_w}x60+${margin}+0"
# The margin beside the grid, left and right, below the band.
beside_left="${margin}x$((grid_h + margin))+0+100"
beside_right="${margin}x$((grid_h + margin))+$((margin + grid_w))+100"

# One line per shot of a batch: the band's lowest and highest level, the
# grid's largest distance from the band's lowest level, and the grid's mean.
shot_levels() {
  local part
  for part in "$band" "$grid"; do
    convert "$1" +repage -crop "$part" +repage -colorspace Gray \
      -format '%[fx:minima] %[fx:maxima] %[fx:mean]\n' info:
  done | awk '{ row[NR] = $0 } END {
    n = NR / 2
    for (i = 1; i <= n; i++) {
      split(row[i], b, " "); split(row[n + i], g, " ")
      far = g[2] - b[1]; if (b[1] - g[1] > far) far = b[1] - g[1]
      print b[1], b[2], far, g[3]
    }
  }'
}

# Starts Norvane while taking screenshots of the splash area as fast as the
# display allows (batches of 100 shots in one capture process each, a shot
# every 20 to 50 ms) until the main window is there. The splash shows from the
# first shot in which a pixel of the grid stands 0.1 or more from the band's
# level, until the band stops being one level (the main window covers it).
# Sets splash_shot to the shot halfway through that time (middle), or to the
# one whose grid is brightest (fullest: on a black background, the one with
# the most tiles); fails when no shot shows the splash, or when that shot
# shows anything beside the grid.
#   shoot_splash <tag> <middle|fullest>
shoot_splash() {
  local tag=$1 which=$2 frames=$E2E_OUT/$E2E_NAME.$1 batch batches=0
  rm -rf "$frames"
  mkdir -p "$frames"
  e2e_install_norvane
  (cd "$WINEPREFIX/drive_c" && exec "$WINE" "$E2E_APP_WIN\\Norvane.exe") >>"$E2E_NORVANE_LOG" 2>&1 &
  E2E_NORVANE_PID=$! # e2e_end waits for it
  for ((batch = 0; batch < 8; batch++)); do
    import -window root -crop "$shot" -snaps 100 -pause 0 -depth 8 "$frames/$batch.miff" ||
      e2e_fail "$tag: the screenshots failed"
    batches=$((batch + 1))
    shot_levels "$frames/$batch.miff[99]" | {
      read -r low high _
      holds "$high - $low > 0.01"
    } && break
  done
  local i=0 low high far mean first=-1 last=-1 brightest=-1 best=-1 shots=()
  for ((batch = 0; batch < batches; batch++)); do
    while read -r low high far mean; do
      holds "$high - $low > 0.01" && break 2 # the main window is there
      ((first < 0)) && holds "$far >= 0.1" && first=$i
      if ((first >= 0)); then
        last=$i
        holds "$mean > $best" && best=$mean brightest=$i
      fi
      shots+=("$frames/$batch.miff[$((i % 100))]")
      i=$((i + 1))
    done < <(shot_levels "$frames/$batch.miff")
  done
  ((first >= 0)) || e2e_fail "$tag: no screenshot showed the splash before the main window"
  local kept=$brightest
  [[ $which == middle ]] && kept=$(((first + last) / 2))
  convert "${shots[$kept]}" +repage "$frames/splash.png"
  rm -f "$frames"/*.miff
  local side level
  level=$(region "$frames/splash.png" "$band" mean)
  for side in "$beside_left" "$beside_right"; do
    holds "$(region "$frames/splash.png" "$side" "max(maxima - $level, $level - minima)") < 0.01" ||
      e2e_fail "$tag: the splash is not the centred grid of ${grid_w}x${grid_h} pixels"
  done
  e2e_log "$tag: shots $first to $last of $i show the splash; shot $kept kept"
  splash_shot=$frames/splash.png
}

# The contrast of the second and third tiles of the top row (the name in
# the banner), which show from the splash's first steps to its last.
contrast() { region "$1" "$((2 * 1305 / 15))x$((780 / 15))+$((margin + 1305 / 15))+100" "maxima - minima"; }

e2e_begin

# --- The splash, opaque: no compositor draws the alpha ----------------------
shoot_splash opaque fullest
opaque=$splash_shot
cp "$opaque" "$E2E_OUT/splash-opaque.png"
e2e_log "screenshot $E2E_OUT/splash-opaque.png"
e2e_wait_for 60 "the main window alone" e2e_forms_are frmMain
e2e_stop_norvane

# --- The splash fading in, with a compositor --------------------------------
e2e_start_compositor
shoot_splash fading middle
fading=$splash_shot
cp "$fading" "$E2E_OUT/splash.png"
e2e_log "screenshot $E2E_OUT/splash.png"
holds "$(contrast "$fading") < 0.9 * $(contrast "$opaque")" ||
  e2e_fail "the splash is not translucent: contrast $(contrast "$fading") against $(contrast "$opaque") opaque"
e2e_log "ok: splash contrast $(contrast "$fading") mid-fade, $(contrast "$opaque") opaque"

# --- The main window ---------------------------------------------------------
e2e_wait_for 60 "the main window alone" e2e_forms_are frmMain
e2e_wait_for 10 "the main window to show" is frmMain.visible true
e2e_screenshot main

# The title strip (Label17, the band along the top between the logo and the
# caption buttons) moves the window with the mouse. The model's edges are in
# twips (15 to a pixel here); after a move they are whole pixels.
pixels() { awk "BEGIN { printf \"%d\", $1 / 15 + 0.5 }"; }
left=$(pixels "$(get frmMain.left)")
top=$(pixels "$(get frmMain.top)")
x=$((left + 2400 / 15))
y=$((top + 150 / 15))
xdotool mousemove "$x" "$y" sleep 0.2 mousedown 1 sleep 0.2
for step in 1 2 3 4 5; do
  xdotool mousemove "$((x + 16 * step))" "$((y + 8 * step))" sleep 0.1
done
xdotool mouseup 1
e2e_wait_for 10 "the window to follow the mouse" is frmMain.left $(((left + 80) * 15))
e2e_expect_eq "$(get frmMain.top)" $(((top + 40) * 15)) "top edge after the drag"
# A mere hover over the strip, without a button held, does not move it.
xdotool mousemove "$((x + 80 + 50))" "$((y + 40))" sleep 0.3
e2e_expect_eq "$(get frmMain.left)" $(((left + 80) * 15)) "left edge after a hover"
e2e_screenshot main-moved

# --- The About window --------------------------------------------------------
e2e_automate click frmMain.Command6 >/dev/null
e2e_wait_for 20 "the About window" is Form5.visible true
# It opens centred over the main window: the centres of the two client
# areas lie within 20 pixels of each other (the About window's frame and
# title bar shift its client area right and down).
near_centre() {
  local form_centre main_centre
  form_centre=$(awk "BEGIN { print $(get "Form5.$1") + $(get "Form5.$2") / 2 }")
  main_centre=$(awk "BEGIN { print $(get "frmMain.$1") + $(get "frmMain.$2") / 2 }")
  holds "$form_centre - $main_centre < 300 && $main_centre - $form_centre < 300" ||
    e2e_fail "About window's centre ($1) $form_centre, the main window's $main_centre"
  e2e_log "ok: About window's centre ($1) $form_centre, the main window's $main_centre"
}
near_centre left width
near_centre top height
e2e_screenshot about
e2e_automate click Form5.UniLabel1 >/dev/null
e2e_wait_for 20 "the About window to close" e2e_forms_are frmMain
