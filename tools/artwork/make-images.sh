#!/usr/bin/env bash
# Draws the program's pictures (picture buttons with their pressed look, banner, splash, about picture and
# icon) with ImageMagick into images/ and src/app/gui/res/. Run from anywhere: bash tools/artwork/make-images.sh
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
out="$root/images"
res="$root/src/app/gui/res"
mkdir -p "$out" "$res"

if ! convert -version >/dev/null 2>&1; then
  echo "make-images.sh: ImageMagick is missing (apt-get install -y imagemagick)" >&2
  exit 1
fi

font="DejaVu-Sans-Bold"
fontPlain="DejaVu-Sans"
background="#eef3f8"  # the window's face colour behind the rounded corners

# The pictures are drawn for 100%, 150% and 200% display scaling: at 100% into images/, at the others into
# images/150/ and images/200/, every length scaled as the program scales its layout (to the nearest pixel).
scale=100
px() { echo $((($1 * scale + 50) / 100)); }

# button NAME WIDTH HEIGHT FILL EDGE LABEL [PRESSED]: a flat rounded button with a centred label.
button() {
  local name=$1 width=$(px "$2") height=$(px "$3") fill=$4 edge=$5 label=$6 pressed=${7:-0}
  local offset=0 edgeWidth=$(px 2) radius=$(px 9) inset=$(px 1)
  [[ $pressed == 1 ]] && offset=$(px 1)
  convert -size "${width}x${height}" "xc:$background" \
    -fill "$fill" -stroke "$edge" -strokewidth "$edgeWidth" \
    -draw "roundrectangle $inset,$inset $((width - inset - 1)),$((height - inset - 1)) $radius,$radius" \
    -stroke none -fill white -font "$font" -pointsize "$(px 14)" \
    -gravity center -annotate "+${offset}+${offset}" "$label" \
    +dither -colors 64 "$dir/$name.gif"
}

blue="#3b7bbf"; blueDown="#285a8f"; blueEdge="#1f4f80"
green="#3f9f72"; greenDown="#2b7653"; greenEdge="#215c41"
slate="#6d8196"; slateDown="#506273"; slateEdge="#3d4b59"

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# draw PERCENT: every picture at one scale.
draw() {
  scale=$1
  dir="$out"
  [[ $scale != 100 ]] && dir="$out/$scale"
  mkdir -p "$dir"
  # Picture buttons that swap pictures while pressed: the first file is the pressed look, the second the
  # normal one, as the program's mouse-down and mouse-up handlers load them.
  button start-out 150 44 "$greenDown" "$greenEdge" "Scan Now" 1
  button start-in 150 44 "$green" "$greenEdge" "Scan Now"
  button configout 150 44 "$blueDown" "$blueEdge" "Configuration" 1
  button configin 150 44 "$blue" "$blueEdge" "Configuration"
  button backup-out 150 44 "$blueDown" "$blueEdge" "Backups" 1
  button backup-in 150 44 "$blue" "$blueEdge" "Backups"
  button exitout 150 44 "$slateDown" "$slateEdge" "Exit" 1
  button exitin 150 44 "$slate" "$slateEdge" "Exit"
  button cancelin 120 36 "$slateDown" "$slateEdge" "Cancel" 1
  button cancelout 120 36 "$slate" "$slateEdge" "Cancel"
  button continuein 120 36 "$greenDown" "$greenEdge" "Continue" 1
  button continueout 120 36 "$green" "$greenEdge" "Continue"

  # Picture buttons that keep their design-time picture.
  button showlog 120 36 "$blue" "$blueEdge" "Show Log"
  button continue1 120 36 "$green" "$greenEdge" "Remove"
  button backupfiles 120 36 "$blue" "$blueEdge" "Back Up"
  button exclude 120 36 "$slate" "$slateEdge" "Exclude"
  button back 120 36 "$slate" "$slateEdge" "Back"
  button savelog 120 36 "$blue" "$blueEdge" "Save Log"
  button ok 120 36 "$green" "$greenEdge" "OK"
  button clean 120 36 "$slate" "$slateEdge" "Clean"
  button restore 120 36 "$blue" "$blueEdge" "Restore"

  # The shield mark used by the banner, the splash, the about tab and the icon.
  shield() {
    local size=$1 file=$2
    local s=$size
    convert -size "${s}x${s}" xc:none \
      -fill "$green" -stroke "$greenEdge" -strokewidth $((s / 24 + 1)) \
      -draw "path 'M $((s / 2)),$((s / 16)) L $((s * 7 / 8)),$((s / 5)) L $((s * 13 / 16)),$((s * 5 / 8)) Q $((s * 3 / 4)),$((s * 13 / 16)) $((s / 2)),$((s * 15 / 16)) Q $((s / 4)),$((s * 13 / 16)) $((s * 3 / 16)),$((s * 5 / 8)) L $((s / 8)),$((s / 5)) Z'" \
      -stroke white -strokewidth $((s / 12 + 1)) -fill none \
      -draw "polyline $((s * 5 / 16)),$((s / 2)) $((s * 7 / 16)),$((s * 5 / 8)) $((s * 11 / 16)),$((s * 3 / 8))" \
      "$file"
  }

  shield "$(px 56)" "$tmp/shield56.png"
  shield "$(px 96)" "$tmp/shield96.png"

  # Banner across the top of the main window (Image1) and its right-hand mark (Image2).
  convert -size "$(px 560)x$(px 64)" gradient:"#1f4f80"-"#3b7bbf" -rotate 270 -rotate 90 \
    \( "$tmp/shield56.png" \) -gravity west -geometry "+$(px 12)+0" -composite \
    -fill white -font "$font" -pointsize "$(px 28)" -gravity west -annotate "+$(px 80)-$(px 6)" "Veltrane!" \
    -fill "#d6e6f5" -font "$fontPlain" -pointsize "$(px 12)" -gravity west -annotate "+$(px 82)+$(px 18)" \
    "spyware and adware scanner" +dither -colors 128 "$dir/banner.gif"
  convert -size "$(px 64)x$(px 80)" gradient:"#3b7bbf"-"#3f9f72" -rotate 90 \
    \( "$tmp/shield56.png" -resize "$(px 44)x$(px 44)" \) -gravity center -composite \
    +dither -colors 64 "$dir/banner2.gif"

  # Splash picture.
  convert -size "$(px 420)x$(px 240)" gradient:"#1f4f80"-"#3f9f72" \
    \( "$tmp/shield96.png" \) -gravity north -geometry "+0+$(px 24)" -composite \
    -fill white -font "$font" -pointsize "$(px 30)" -gravity north -annotate "+0+$(px 128)" "Veltrane!" \
    -fill "#e3eef8" -font "$fontPlain" -pointsize "$(px 13)" -gravity north -annotate "+0+$(px 170)" "Version 7.5" \
    +dither -colors 128 "$dir/splash.gif"

  # Decoration of the start screen.
  welcomeWidth=$(px 320)
  welcomeHeight=$(px 230)
  convert -size "${welcomeWidth}x${welcomeHeight}" "xc:$background" \
    -fill white -stroke "#c9d8e8" -strokewidth "$(px 2)" \
    -draw "roundrectangle $(px 1),$(px 1) $((welcomeWidth - $(px 1) - 1)),$((welcomeHeight - $(px 1) - 1)) $(px 14),$(px 14)" \
    -stroke none \( "$tmp/shield96.png" \) -gravity north -geometry "+0+$(px 18)" -composite \
    -fill "$blueEdge" -font "$font" -pointsize "$(px 16)" -gravity north -annotate "+0+$(px 126)" \
    "Keep your computer clean" -fill "#4a5d70" -font "$fontPlain" -pointsize "$(px 12)" -gravity north \
    -annotate "+0+$(px 154)" "Scan memory, registry, drives and cookies" \
    -annotate "+0+$(px 172)" "for known spyware and adware, then remove," \
    -annotate "+0+$(px 190)" "back up or exclude what was found." \
    +dither -colors 128 "$dir/welcome.gif"

  # Picture of the settings dialog's about tab.
  convert -size "$(px 96)x$(px 96)" "xc:$background" \( "$tmp/shield96.png" \) -composite +dither -colors 64 \
    "$dir/about.gif"
}

for percent in 100 150 200; do draw "$percent"; done
scale=100

# Program icon, several sizes in one file.
for size in 16 32 48; do shield "$size" "$tmp/icon$size.png"; done
convert "$tmp/icon16.png" "$tmp/icon32.png" "$tmp/icon48.png" "$res/veltrane.ico"

echo "make-images.sh: wrote $(find "$out" -name '*.gif' | wc -l) pictures to images/ and res/veltrane.ico"
