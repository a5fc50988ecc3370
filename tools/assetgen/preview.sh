#!/bin/bash
# Contact sheets of the generated pictures, for looking at them together:
#   tools/assetgen/preview.sh BUILD/assets OUTDIR
# Writes OUTDIR/icons.png (every small icon at 1x and 2x, magnified with hard
# pixels, on the background it is shown on), OUTDIR/pictures.png (the large
# pictures) and OUTDIR/main-window.png (the background at the window's client
# size with the fixed colour areas of the panes at their places, 1 px = 15 twips).
# Needs ImageMagick.
set -euo pipefail
A=$1
O=$2
mkdir -p "$O/png" "$O/tiles"
for f in "$A"/*.bmp; do
  b=$(basename "$f" .bmp)
  convert "$f" "$O/png/$b.png"
done

tile() {  # id background
  local id=$1 bg=$2
  convert "$O/png/$id.png" -fill "$bg" -opaque '#FF00FF' -filter point -resize 400% "$O/tiles/a.png"
  convert "$O/png/${id}_2x.png" -fill "$bg" -opaque '#FF00FF' -filter point -resize 200% "$O/tiles/b.png"
  convert "$O/png/$id.png" -fill "$bg" -opaque '#FF00FF' -bordercolor "$bg" -border 8 "$O/tiles/c.png"
  convert "$O/png/${id}_2x.png" -fill "$bg" -opaque '#FF00FF' -bordercolor "$bg" -border 8 "$O/tiles/d.png"
  convert "$O/tiles/a.png" "$O/tiles/b.png" "$O/tiles/c.png" "$O/tiles/d.png" \
    -background "$bg" -gravity center +append \
    -background '#888' -gravity south -splice 0x14 -pointsize 10 -annotate +0+1 "$id" "$O/tiles/$id.png"
}
tiles=()
for f in "$O"/png/*.png; do
  id=$(basename "$f" .png)
  case $id in
    *_2x) ;;
    drive.*) tile "$id" 'rgb(54,116,98)'; tiles+=("$O/tiles/$id.png") ;;
    tree.* | result.*) tile "$id" white; tiles+=("$O/tiles/$id.png") ;;
    toolbar.*) tile "$id" 'rgb(240,240,240)'; tiles+=("$O/tiles/$id.png") ;;
  esac
done
montage "${tiles[@]}" -tile 4x -geometry +6+6 -background '#888' "$O/icons.png"

cd "$O/png"
montage -label '%t' main.background.png splash.banner.png splash.banner_2x.png cleaner.skin.png \
  about.banner.png main.bar.png main.success.png main.failure.png cleaner.bar.png \
  -tile 2x -geometry +8+8 -background '#777' -pointsize 11 "$O/pictures.png"

# Panes: drive table, folder list, file list inside the browsing panel; the
# panels themselves in the system's button face colour.
face='rgb(240,240,240)'
convert main.background.png -resize '871x596!' \
  -fill "$face" -draw "rectangle 24,136 848,512" -draw "rectangle 24,104 613,134" \
  -draw "rectangle 24,512 845,560" \
  -fill 'rgb(54,116,98)' -draw "rectangle 24,148 279,504" \
  -fill white -draw "rectangle 282,152 559,507" -draw "rectangle 28,106 608,131" \
  -fill 'rgb(74,111,111)' -draw "rectangle 561,152 845,505" \
  -fill black -draw "rectangle 412,532 484,548" \
  -fill 'rgb(208,191,159)' -stroke black -draw "rectangle 768,8 797,37" \
  -draw "rectangle 800,8 829,37" -draw "rectangle 832,8 861,37" \
  -stroke none -draw "rectangle 48,24 128,44" \
  "$O/main-window.png"
echo "preview: $O/icons.png $O/pictures.png $O/main-window.png"
