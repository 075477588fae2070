#!/usr/bin/env bash
# The demo's part for one classic visualization: its DLL registered in the Wine prefix and each of
# its presets rendered through the DLL by host_sim from the demo programme, turned into a WebM with
# the programme's sound (viz-video) and a contact sheet; the first frames are checked against the
# native engine (viz-render) pixel for pixel. Writes OUT_DIR/section.html for the demo's index.
#
#   tools/e2e/demo_classic.sh NAME OUT_DIR     (NAME: Glintora, Tessaray, Throbwave or Emberlux;
#                                              a running test bed on build/win64 is needed)
set -euo pipefail
source "$(dirname "$0")/session.sh"
name=$1
lower=${name,,}
out=$(mkdir -p "$2" && cd "$2" && pwd)
winebed=$session_root/tools/winebed/winebed
run=("$winebed" run --bed "$session_bed")
native=$session_root/build/native/tools
fps=25 seconds=24 compared=30

"$winebed" regsvr32 --bed "$session_bed" "$session_root/build/win64/bin/$name.dll"
"${run[@]}" "$session_host" effects | tee "$out/effects.txt"
"$session_native" --make-demo --seconds "$seconds" "$out/programme.wav"

# The preset titles as the DLL answers them (host_sim effects lists them as `  N "title"`).
mapfile -t names < <(awk -v n="$name" '$1 == n {on = 1; next} /^[^ ]/ {on = 0} on && /^  [0-9] "/' \
  "$out/effects.txt" | tr -d '\r' | sed 's/^  [0-9] "\(.*\)"$/\1/')
rows="" sheets=""
for preset in 0 1 2; do
  title=${names[$preset]:-preset $preset}
  frames=$out/frames$preset
  rm -rf "$frames" "$out/native$preset"
  echo "== $name: $title through $name.dll"
  "${run[@]}" "$session_host" viz --effect "$name" --preset "$preset" --input "$out/programme.wav" \
    --fps "$fps" --frames $((fps * seconds)) --out "$frames"
  "$native/viz-video/viz-video" --frames "$frames" --fps "$fps" --audio "$out/programme.wav" \
    --out "$out/$lower-preset$preset.webm" 2>/dev/null
  cp "$frames/contact.png" "$out/contact$preset.png"
  # The same frames from the engine natively: the DLL must have drawn exactly these.
  "$native/viz-render/viz-render" --effect "$lower" --preset "$preset" --fps "$fps" --frames "$compared" \
    --input "$out/programme.wav" --out "$out/native$preset" >/dev/null
  same="identical to"
  if ! python3 "$session_root/tools/e2e/same_pixels.py" "$out/native$preset" "$frames" "$compared"; then
    same="DIFFERENT from"
    echo "   FAILED: $title: the DLL's frames differ from the native engine's" >&2
  fi
  echo "   the first $compared frames are $same the native engine's"
  rm -rf "$frames" "$out/native$preset"  # thousands of uncompressed frames; the video holds them
  rows+="<figure><video controls preload=\"metadata\" width=\"350\" height=\"320\" src=\"$lower/$lower-preset$preset.webm\"></video>"
  rows+="<figcaption>$title: first $compared frames $same the native engine's</figcaption></figure>"$'\n'
  sheets+="<img src=\"$lower/contact$preset.png\" alt=\"$name, $title\" width=\"480\">"$'\n'
done

cat >"$out/section.html" <<HTML
<p>$name.dll registered in the Wine prefix and created by our test player from the player's
Effects key; each preset is ${seconds} s of the demo programme rendered through the DLL's
<code>Render</code> at ${fps} frames per second into a 350 × 320 DIB section, with the same sound.
Registered visualizations: <a href="$lower/effects.txt">effects.txt</a>.</p>
<div style="display:flex;gap:1em;flex-wrap:wrap">
$rows</div>
<p>Contact sheets (twelve frames of each run, evenly spaced):</p>
<p>$sheets</p>
HTML
grep -q DIFFERENT "$out/section.html" && exit 1
exit 0
