#!/usr/bin/env bash
# Draws the demo disk's icons and pictures (ImageMagick) and synthesises its
# sounds (sox). The outputs are committed; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")"
a=access

# icon(<file>, <top colour>, <bottom colour>, <text>, <point size factor %>)
icon() {
  local out=$1 top=$2 bottom=$3 text=$4 factor=${5:-60} parts=()
  for s in 48 32 16; do
    local r=$((s / 5)) p=$((s * factor / 100))
    convert -size "${s}x${s}" xc:none \
      \( -size "${s}x${s}" gradient:"$top-$bottom" \) \
      \( -size "${s}x${s}" xc:none -fill white -draw "roundrectangle 0,0 $((s - 1)),$((s - 1)) $r,$r" \) \
      -delete 0 -compose DstIn -composite \
      -compose Over -fill white -font DejaVu-Sans-Bold -pointsize "$p" -gravity center \
      -annotate +0+0 "$text" "PNG32:part-$s.png"
    parts+=("part-$s.png")
  done
  convert "${parts[@]}" "$out"
  rm -f "${parts[@]}"
}

icon "$a/VERavevi.ico" '#3a7bd5' '#1c3f7a' V
icon "$a/2.ico" '#7b2ff7' '#2d0a6b' '5' 70
icon "$a/Games/Chess/Chess.ico" '#8d6e63' '#3e2723' 'K' 62
icon "$a/Browser/Browser.ico" '#29b6f6' '#01579b' 'W' 58
icon "$a/Photo/Photo.ico" '#ef5350' '#b71c1c' 'P' 62
icon "$a/Guard/Guard.ico" '#66bb6a' '#1b5e20' 'G' 62
icon "$a/Typing/Typing.ico" '#ffa726' '#e65100' 'T' 62
icon "$a/Music/Music.ico" '#ab47bc' '#4a148c' 'M' 62

# The chess board embedded in Chess.rtf as a device-independent bitmap.
convert -size 2x2 xc:'#e8e8e8' -fill '#505050' -draw 'point 1,0' -draw 'point 0,1' -write mpr:tile +delete \
  -size 8x8 tile:mpr:tile -scale 1200% -bordercolor '#202020' -border 2 -type TrueColor BMP3:board.bmp

# Sounds: short and quiet.
sox -R -n -r 22050 -c 1 -b 16 media/VERavevi.wav synth 0.18 sine 523 synth 0.18 sine 659 : synth 0.25 sine 784 gain -12
sox -R -n -r 22050 -c 1 -b 16 "$a/Games/Chess/Chess.wav" synth 0.12 square 392 gain -18 : synth 0.12 square 523 gain -18
sox -R -n -r 22050 -c 1 -b 16 "$a/Music/Music.wav" synth 0.15 pluck 440 : synth 0.15 pluck 554 : synth 0.3 pluck 659 gain -6
sox -R -n -r 22050 -c 1 -b 16 "$a/Photo/Photo.wav" synth 0.05 whitenoise gain -15 : synth 0.04 whitenoise gain -20
sox -R -n -r 22050 -c 1 -b 16 "$a/Browser/Browser.wav" synth 0.08 sine 880 gain -15 : synth 0.12 sine 1175 gain -15
sox -R -n -r 22050 -c 1 -b 16 "$a/Guard/Guard.wav" synth 0.1 square 330 gain -20 : synth 0.1 square 330 gain -24
sox -R -n -r 22050 -c 1 -b 16 "$a/Typing/Typing.wav" synth 0.03 whitenoise gain -16 : synth 0.05 sine 0 : \
  synth 0.03 whitenoise gain -16 : synth 0.05 sine 0 : synth 0.03 whitenoise gain -16

# Chess.rtf: formatted text around the board picture (a \dibitmap, the
# bitmap file without its 14-byte file header, in hex lines of 64 digits).
{
  cat <<'RTF'
{\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}}{\colortbl;\red62\green39\blue35;\red93\green64\blue55;}
\f0\fs20{\cf1\b\fs26 Chess Deluxe}\par
\cf2 Play against a patient opponent with twenty levels, hints and replays.\cf0\par
\pard\qc{\pict\dibitmap0\picw100\pich100\picwgoal1440\pichgoal1440
RTF
  tail -c +15 board.bmp | od -An -tx1 -v | tr -d ' \n' | fold -w 64
  cat <<'RTF'
}\par
\pard\fs18 Double-clicking the picture does nothing: descriptions are for reading.\par
}
RTF
} > "$a/Games/Chess/Chess.rtf"
rm -f board.bmp
