# A listening session across two processes, sourced by the end-to-end check and the demo:
# host_sim's player window with Panelkit.dll runs a script of user actions while a second host_sim
# streams a programme through TevaroPlayerDSP.dll at the player's pace, logging every settings
# refresh of the DSP. Needs build/native and build/win64 built and a running test bed.
#
#   run_session OUT_DIR START_WORD CLICK_SCRIPT SECONDS
#     writes OUT_DIR/{programme.wav,dll.wav,native.wav,panel.log,play.log}; native.wav is the
#     native chain replaying the changes the DSP saw, at the same buffers (SESSION_CHANGES), and
#     SESSION_FIRST is the word of the first refresh. Non-zero (with a message) on any failure.
#   refresh_changes PLAY_LOG   prints "buffer tick word" for every refresh that read a new word

session_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
session_bed=$session_root/build/win64/winebed
session_host=$session_root/build/win64/bin/host_sim.exe
session_native=$session_root/build/native/tools/tevaro-dsp/tevaro-dsp

winpath() { echo "Z:${1//\//\\}"; }

refresh_changes() {
  awk '$1 == "refresh" { if ($11 != last) print $3, $5, $11; last = $11 }' "$1"
}

run_session() {
  local out=$1 word=$2 script=$3 seconds=$4
  local run=("$session_root/tools/winebed/winebed" run --bed "$session_bed")
  mkdir -p "$out"
  for dll in HostSimRegistrar TevaroPlayerDSP Panelkit; do
    "$session_root/tools/winebed/winebed" regsvr32 --bed "$session_bed" "$session_root/build/win64/bin/$dll.dll" >/dev/null
  done
  "$session_native" --make-demo --seconds "$seconds" "$out/programme.wav"
  cp "$script" "$out/clicks.txt"

  # The player starts streaming once the panel has published its start-up values.
  coproc panel_session { "${run[@]}" "$session_host" panel --enable true --settings "$word" \
    --script "$(winpath "$out/clicks.txt")" --capture "$(winpath "$out")" 2>&1; }
  local panel_pid=$panel_session_PID line
  exec {panel_out}<&"${panel_session[0]}"
  : >"$out/panel.log"
  while IFS= read -r line <&"$panel_out"; do
    echo "$line" >>"$out/panel.log"
    [[ $line == slots* ]] && break
  done
  "${run[@]}" "$session_host" play "$(winpath "$out/programme.wav")" "$(winpath "$out/dll.wav")" --no-panel \
    --realtime >"$out/play.log" 2>&1 &
  local player=$!
  cat <&"$panel_out" >>"$out/panel.log"
  exec {panel_out}<&-
  wait "$panel_pid" || { echo "host_sim panel failed ($out/panel.log)" >&2; return 1; }
  wait "$player" || { echo "host_sim play failed ($out/play.log)" >&2; return 1; }
  if grep -q "inexact" "$out/play.log"; then echo "the refresh log is inexact ($out/play.log)" >&2; return 1; fi

  local changes=() buffer tick seen
  SESSION_FIRST=""
  while read -r buffer tick seen; do
    if [ -z "$SESSION_FIRST" ]; then SESSION_FIRST=$seen; else changes+=(--change "$buffer:$seen"); fi
  done < <(refresh_changes "$out/play.log")
  [ -n "$SESSION_FIRST" ] || { echo "no refresh logged ($out/play.log)" >&2; return 1; }
  SESSION_CHANGES=("${changes[@]}")
  # host_sim play hands the DSP 100 ms buffers: 4410 frames at 44.1 kHz.
  "$session_native" --word "$SESSION_FIRST" --buffer-frames 4410 "${changes[@]}" "$out/programme.wav" "$out/native.wav"
}
