#!/usr/bin/env bash
# The demo's album-art part: CoverDrift.dll registered in the Wine prefix and played by host_sim
# with two tracks of ours (title, artist, album, rating, generated album art), the second arriving
# half-way, once in DC mode and once in its own window mode, each with the demo programme's
# spectrum; each run becomes a WebM with the programme's sound. Writes OUT_DIR/section.html.
#
#   tools/e2e/demo_coverdrift.sh OUT_DIR     (a running test bed on build/win64 is needed)
set -euo pipefail
source "$(dirname "$0")/session.sh"
out=$(mkdir -p "$1" && cd "$1" && pwd)
winebed=$session_root/tools/winebed/winebed
run=("$winebed" run --bed "$session_bed")
native=$session_root/build/native/tools
art=$session_root/build/win64/assets/coverdrift/demo
fps=25 seconds=10

"$winebed" regsvr32 --bed "$session_bed" "$session_root/build/win64/bin/CoverDrift.dll"
"$session_native" --make-demo --seconds "$seconds" "$out/programme.wav"

# Each track is an attribute file in a folder of its own, with its art beside it under the name
# the player gives album art.
for n in 1 2; do mkdir -p "$out/track$n"; done
cp "$art/track1_art.jpg" "$out/track1/AlbumArt_{D3E0-0001}_Large.jpg"
cp "$art/track2_art.jpg" "$out/track2/AlbumArtSmall.jpg"
cat >"$out/track1/track.txt" <<TRACK
Title=Sundown Over Glass
Author=The Tevaro Ensemble
WM/AlbumTitle=Drift Sessions
UserRating=75
WM/WMCollectionID={D3E0-0001}
BuyNow=https://example.com/drift-sessions
TRACK
cat >"$out/track2/track.txt" <<TRACK
Title=Cloudline
Author=The Tevaro Ensemble
WM/AlbumTitle=Drift Sessions
UserRating=0
WM/ProviderRating=99
WM/WMCollectionID={D3E0-0002}
TRACK
change=$((fps * seconds / 2))
rows=""
for mode in dc window; do
  frames=$out/frames-$mode
  rm -rf "$frames"
  size=350x320 flag=()
  [ "$mode" = window ] && size=640x480 flag=(--window)
  echo "== CoverDrift: $mode mode at $size, a track change after $((seconds / 2)) s"
  "${run[@]}" "$session_host" viz --effect CoverDrift --preset 0 --input "$out/programme.wav" --fps "$fps" \
    --frames $((fps * seconds)) --size "$size" "${flag[@]}" \
    --media "$(winpath "$out/track1/track.txt")" --media "$(winpath "$out/track2/track.txt")@$change" \
    --pointer "$((change + 150)):move:60:60" --out "$frames"
  "$native/viz-video/viz-video" --frames "$frames" --fps "$fps" --audio "$out/programme.wav" \
    --out "$out/coverdrift-$mode.webm" 2>/dev/null
  cp "$frames/contact.png" "$out/contact-$mode.png"
  rm -rf "$frames"
  w=${size%x*} h=${size#*x}
  rows+="<figure><video controls preload=\"metadata\" width=\"$w\" height=\"$h\" src=\"coverdrift/coverdrift-$mode.webm\"></video>"
  rows+="<figcaption>$mode mode, $size</figcaption></figure>"$'\n'
done

cat >"$out/section.html" <<HTML
<p>CoverDrift.dll registered in the Wine prefix and created by our test player from the player's
Effects key. Two tracks of ours reach it through <code>NotifyNewMedia</code> (the second after
$((seconds / 2)) s; the pointer then rests on its art, which shows the link frame), with the demo
programme's spectrum at ${fps} frames per second: once in DC mode (<code>Render</code> into a
350 × 320 DIB section) and once in window mode (<code>Create</code> and <code>RenderWindowed</code>
on a 640 × 480 window of the virtual display).</p>
<div style="display:flex;gap:1em;flex-wrap:wrap">
$rows</div>
<p><img src="coverdrift/contact-dc.png" alt="CoverDrift, DC mode" width="480">
<img src="coverdrift/contact-window.png" alt="CoverDrift, window mode" width="480"></p>
HTML
