#!/usr/bin/env bash
# The demo's panel part: Panelkit.dll in host_sim's player window, in its three looks, then a
# listening session in which a user clicks through the presets and qualities (real pointer input)
# while a second process streams the demo programme through TevaroPlayerDSP.dll. Writes the
# screenshots, the logs, the session's audio cut at every change the DSP followed, and an HTML
# section (section.html) for the demo's index. Fails if the DLL's audio differs from the native
# chain given the same changes.
#
#   tools/e2e/demo_panel.sh OUT_DIR     (a running test bed on build/win64 is needed)
set -euo pipefail
source "$(dirname "$0")/session.sh"
out=$(mkdir -p "$1" && cd "$1" && pwd)
run=("$session_root/tools/winebed/winebed" run --bed "$session_bed")

# The two looks a session does not show: surround off, and the DSP switched off in the player.
echo "capture look-surround-off" >"$out/look-off.txt"
echo "capture look-dsp-disabled" >"$out/look-disabled.txt"
"${run[@]}" "$session_host" panel --enable true --settings 0x0202 --script "$(winpath "$out/look-off.txt")" \
  --capture "$(winpath "$out")" >"$out/look-off.log"
"${run[@]}" "$session_host" panel --enable false --settings 0x0830 --script "$(winpath "$out/look-disabled.txt")" \
  --capture "$(winpath "$out")" >"$out/look-disabled.log"

# Neutral at Mid by hand, then a user's tour: every preset, every quality, Auto at the end.
names=(Rock/Pop Classic jazz Movie Max Min Mid Auto)
cat >"$out/tour.txt" <<'SCRIPT'
capture look-active
wait 2000
click 1000 30 12
wait 2500
click 1001 30 12
wait 2500
click 1002 30 12
wait 2500
click 1003 30 12
capture look-movie
wait 2500
click 1009 36 10
wait 2500
click 1008 36 10
wait 2500
click 1010 36 10
wait 2500
click 1007 36 10
capture look-auto
wait 3000
SCRIPT
run_session "$out" 0x0830 "$out/tour.txt" 26
if ! cmp -s "$out/dll.wav" "$out/native.wav"; then
  echo "demo panel: the DLL's session audio differs from tevaro-dsp ${SESSION_CHANGES[*]}" >&2
  exit 1
fi

# One audio file for each stretch between two changes the DSP followed.
mapfile -t seen < <(refresh_changes "$out/play.log")
if [ ${#seen[@]} -ne $((${#names[@]} + 1)) ]; then
  echo "demo panel: the DSP followed ${#seen[@]} settings, not the start-up and ${#names[@]} clicks" >&2
  exit 1
fi
# The tick at which each click of the tour was made, by its line in the script.
declare -A tick_of
while read -r _ line _ tick; do tick_of[$line]=$tick; done < <(awk '$1 == "step"' "$out/panel.log")
mapfile -t click_lines < <(awk '$1 == "click" {print NR}' "$out/tour.txt")
python3 - "$out" "${seen[@]}" <<'PY'
import sys, wave
out, rows = sys.argv[1], [r.split() for r in sys.argv[2:]]
with wave.open(f"{out}/dll.wav") as w:
    params, frames = w.getparams(), w.readframes(w.getnframes())
step = 4410 * 4  # the player's 100 ms buffers of 16-bit stereo
starts = [int(r[0]) * step for r in rows] + [len(frames)]
for k in range(len(rows)):
    with wave.open(f"{out}/stretch{k}.wav", "wb") as s:
        s.setparams(params)
        s.writeframes(frames[starts[k]:starts[k + 1]])
PY

# The click sequence: what the panel published and when the DSP followed it.
{
  echo '<p>Three looks of the panel in host_sim'"'"'s player window: active (Neutral at Mid), surround off,'
  echo 'and the DSP switched off in the player.</p>'
  echo '<p><img src="panel/look-active.bmp" alt="active"><br><img src="panel/look-surround-off.bmp" alt="surround off">'
  echo '<br><img src="panel/look-dsp-disabled.bmp" alt="DSP disabled"></p>'
  echo '<p>A listening session: the panel in one process, clicked with real pointer input, and'
  echo '<code>TevaroPlayerDSP.dll</code> streaming the demo programme in another at the player'"'"'s pace.'
  echo 'The whole output is byte-identical to <code>tevaro-dsp --word '"$SESSION_FIRST"' --buffer-frames 4410'
  echo "${SESSION_CHANGES[*]}"'</code>.</p>'
  echo '<table><tr><th>Click</th><th>Slot 3 published</th><th>DSP followed at buffer</th><th>after</th><th>Audio</th></tr>'
  read -r buffer tick word <<<"${seen[0]}"
  echo "<tr><td>start-up</td><td><code>$word</code></td><td>$buffer</td><td></td>"
  echo '<td><audio controls preload="none" src="panel/stretch0.wav"></audio></td></tr>'
  for k in $(seq 1 $((${#seen[@]} - 1))); do
    read -r buffer tick word <<<"${seen[$k]}"
    clicked=${tick_of[${click_lines[$((k - 1))]}]}
    echo "<tr><td>${names[$((k - 1))]}</td><td><code>$word</code></td><td>$buffer</td><td>$((tick - clicked)) ms</td>"
    echo "<td><audio controls preload=\"none\" src=\"panel/stretch$k.wav\"></audio></td></tr>"
  done
  echo '</table>'
  echo '<p><img src="panel/look-movie.bmp" alt="Movie chosen"> <img src="panel/look-auto.bmp" alt="Auto chosen"></p>'
  echo '<p>Logs: <a href="panel/panel.log">panel.log</a> (the slots after every step), <a href="panel/play.log">play.log</a>'
  echo '(every settings refresh of the DSP).</p>'
} >"$out/section.html"
echo "demo panel: ${#seen[@]} stretches, byte-identical to tevaro-dsp --word $SESSION_FIRST ${SESSION_CHANGES[*]}"
