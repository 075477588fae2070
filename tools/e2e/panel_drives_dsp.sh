#!/usr/bin/env bash
# End to end across two processes, as a user meets the product: host_sim's player window with
# Panelkit.dll, clicked with real pointer input, while a second host_sim streams a programme
# through TevaroPlayerDSP.dll at the player's pace. The DSP must follow each click within one
# refresh (500 ms of ticks plus one buffer), and its whole output must equal the native chain's
# given the same settings changes at the same buffers (tevaro-dsp --change).
#
#   tools/e2e/panel_drives_dsp.sh OUT_DIR
#
# Needs build/native and build/win64 built and a running test bed (winebed start); writes the
# logs, the programme, both outputs and a one-line verdict (result.txt) into OUT_DIR.
set -euo pipefail
source "$(dirname "$0")/session.sh"
out=$(mkdir -p "$1" && cd "$1" && pwd)
fail() { echo "panel drives dsp: $*" | tee "$out/result.txt" >&2; exit 1; }

# Neutral at Mid by hand, no warning: then Movie, then Max, each a second and a half apart.
cat >"$out/script.txt" <<'SCRIPT'
wait 1500
click 1003 35 12
wait 1500
click 1009 36 10
wait 3000
SCRIPT
run_session "$out" 0x0830 "$out/script.txt" 8 || fail "the session did not run"

[ "$SESSION_FIRST" = 0x0830 ] || fail "the DSP started with $SESSION_FIRST, not the panel's 0x0830"
mapfile -t seen < <(refresh_changes "$out/play.log" | tail -n +2)
mapfile -t clicks < <(awk '$1 == "step" && ($2 == 2 || $2 == 4) {print $4}' "$out/panel.log")
expected=(0x0828 0x0428)
[ ${#seen[@]} -eq 2 ] || fail "expected two changes (Movie, Max), the DSP saw: ${seen[*]}"
delays=()
for i in 0 1; do
  read -r _ tick word <<<"${seen[$i]}"
  [ "$word" = "${expected[$i]}" ] || fail "change $i is $word, not ${expected[$i]}"
  delay=$((tick - clicks[i]))
  [ "$delay" -ge 0 ] && [ "$delay" -le 700 ] || fail "change $i reached the DSP after $delay ms"
  delays+=("$delay")
done
cmp -s "$out/dll.wav" "$out/native.wav" || fail "the DLL's output differs from tevaro-dsp ${SESSION_CHANGES[*]}"
echo "panel drives dsp: Movie then Max reached the DSP after ${delays[0]} and ${delays[1]} ms;" \
  "output byte-identical to tevaro-dsp --word $SESSION_FIRST ${SESSION_CHANGES[*]}" | tee "$out/result.txt"
