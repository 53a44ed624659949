#!/usr/bin/env bash
# Draws the program's icons and the picture of the main dialog with
# ImageMagick. The outputs are committed; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")"

# icon(<file>, <top colour>, <bottom colour>, <letter>)
icon() {
  local out=$1 top=$2 bottom=$3 letter=$4 sizes=()
  for s in 48 32 16; do
    local r=$((s / 6)) p=$((s * 62 / 100))
    convert -size "${s}x${s}" xc:none \
      \( -size "${s}x${s}" gradient:"$top-$bottom" \) \
      \( -size "${s}x${s}" xc:none -fill white -draw "roundrectangle 0,0 $((s - 1)),$((s - 1)) $r,$r" \) \
      -delete 0 -compose DstIn -composite \
      -compose Over -fill white -font DejaVu-Sans-Bold -pointsize "$p" -gravity center \
      -annotate +0+0 "$letter" "PNG32:tmp-$s.png"
    sizes+=("tmp-$s.png")
  done
  convert "${sizes[@]}" "$out"
  rm -f "${sizes[@]}"
}

icon VERavevi.ico '#3a7bd5' '#1c3f7a' V
icon spare101.ico '#e07b39' '#8a3a10' B
icon spare102.ico '#4caf50' '#1b5e20' T

# The picture that covers the description pane until a description loads
# (223 × 94 dialog units of an 8-point MS Sans Serif dialog).
convert -size 334x152 gradient:'#fdfdfd-#c9d9ef' \
  -fill '#1c3f7a' -font DejaVu-Sans-Bold -pointsize 22 -gravity north -annotate +0+36 'Velmora Bonus Software' \
  -fill '#3a5a8a' -font DejaVu-Sans -pointsize 13 -gravity north -annotate +0+78 'Select a package on the left' \
  -annotate +0+98 'to read what it offers.' \
  -type TrueColor BMP3:picture118.bmp
