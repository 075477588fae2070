#!/usr/bin/env bash
# The demo's help and about part: Panelkit.dll in host_sim's player window, where a user opens the
# help window from the Info control, presses two of the overview's labels (each scrolls its section
# to the top) and an arrow back, closes it, then opens the about box while its animation plays.
# Writes the screenshots, the script's log, the animation as an animated PNG made from the clip the
# DLL carries, and an HTML section (section.html) for the demo's index.
#
#   tools/e2e/demo_help.sh OUT_DIR     (a running test bed on build/win64 is needed)
set -euo pipefail
source "$(dirname "$0")/session.sh"
out=$(mkdir -p "$1" && cd "$1" && pwd)
run=("$session_root/tools/winebed/winebed" run --bed "$session_bed")
"$session_root/tools/winebed/winebed" regsvr32 --bed "$session_bed" "$session_root/build/win64/bin/Panelkit.dll" >/dev/null

# Points are in the help window's client area: the overview picture sits at (20, 180) with its
# upper labels on its row 8, the quality label at x 300 and the web label at x 390; the quality
# heading's arrow is at x 430 of its picture.
cat >"$out/help.txt" <<'SCRIPT'
wait 500
click 1006 10 90
wait 800
capture-dialog help-top Help
dialog-point 320 188 Help
wait 600
capture-dialog help-quality Help
dialog-point 450 10 Help
wait 600
dialog-point 410 188 Help
wait 600
capture-dialog help-web Help
dialog-close Help
wait 600
click 1006 80 90
wait 2500
capture-dialog about About Tevaro Player SE
dialog-click 1 About Tevaro Player SE
wait 600
SCRIPT
"${run[@]}" "$session_host" panel --enable true --settings 0x0428 --script "$(winpath "$out/help.txt")" \
  --capture "$(winpath "$out")" >"$out/help.log"
for shot in help-top help-quality help-web about; do
  [ -f "$out/$shot.bmp" ] || { echo "demo help: no $shot.bmp, see $out/help.log" >&2; exit 1; }
done
python3 "$session_root/tools/e2e/avi_to_apng.py" "$session_root/build/native/assets/panel/490.avi" "$out/about-animation.png"

{
  echo '<p>The help window opened from the Info control: the manual is on its twenty pictures. A press on'
  echo 'an overview label scrolls that section to the top (left: the page as it opens; middle: the label'
  echo '"Quality" pressed; right: "Web" pressed after the arrow took the page back to the top).</p>'
  echo '<p><img src="help/help-top.bmp" alt="help, top"> <img src="help/help-quality.bmp" alt="help, quality">'
  echo '<img src="help/help-web.bmp" alt="help, web, Spatio and Panorix"></p>'
  echo '<p>The about box while its animation plays, and the animation itself, made from the AVI the DLL'
  echo 'carries (299 frames of 50 ms, shown at three times its size):</p>'
  echo '<p><img src="help/about.bmp" alt="about box"> <img src="help/about-animation.png" alt="about animation"'
  echo 'width="240" height="180" style="image-rendering:pixelated"></p>'
  echo '<p>Log: <a href="help/help.log">help.log</a>.</p>'
} >"$out/section.html"
echo "demo help: help window at three scroll positions, the about box and its animation in $out"
