#!/usr/bin/env bash
# The bundle as Debian's LV2 tools see it: lv2_validate checks its Turtle against the installed LV2
# vocabularies, lv2info finds and describes the plug-in (ports,
# enumerations, the latency port), and lv2apply's processing of a stereo file equals tevaro-dsp's
# for the same preset and quality, sample for sample at 16 bits (the block sizes of other hosts are
# lv2_plugin_test's).
#
# Fair comparison: tevaro-dsp creates the chain at tick 0 and processes at tick 500, one settings
# refresh before the first buffer; the plug-in plays its clock the same way (live_chain.h).
#
#   lv2_host_tools.sh BUNDLE URI TEVARO_DSP WAV_BRIDGE
set -euo pipefail
bundle=$1 uri=$2 tevaro_dsp=$3 bridge=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LV2_PATH=$(dirname "$bundle")

lv2_validate "$bundle/manifest.ttl" "$bundle/tevaro-surround.ttl" >"$work/validate.txt" 2>&1 ||
  { grep -v '^Skipping' "$work/validate.txt"; exit 1; }

info=$(lv2info "$uri")
expect() {
  grep -qF -- "$1" <<<"$info" || { echo "lv2info does not show: $1"; echo "$info"; exit 1; }
}
expect "Tevaro Surround"
expect "Has latency:       yes, reported by port 8"
for point in '0 = "Rock/Pop"' '1 = "Classic"' '2 = "jazz"' '3 = "Movie"' '4 = "Neutral"' \
             '0 = "Min"' '1 = "Mid"' '2 = "Max"'; do
  expect "$point"
done
for symbol in in_left in_right out_left out_right surround preset quality mute latency; do
  expect "Symbol:      $symbol"
done

"$tevaro_dsp" --make-demo --seconds 4 "$work/demo16.wav"
"$bridge" to-float "$work/demo16.wav" "$work/demo.wav"

# Preset index, quality index, the names tevaro-dsp takes: every preset, every quality, and the
# plug-in's defaults with no control given.
cases=(
  "0 0 rock-pop min" "0 2 rock-pop max" "1 1 classic mid" "2 0 jazz min"
  "3 2 movie max" "4 1 neutral mid" "- - neutral max"
)
for c in "${cases[@]}"; do
  read -r preset quality name qname <<<"$c"
  controls=()
  [[ $preset != - ]] && controls=(-c preset "$preset" -c quality "$quality")
  "$tevaro_dsp" --preset "$name" --quality "$qname" "$work/demo16.wav" "$work/ref.wav"
  lv2apply -i "$work/demo.wav" -o "$work/out.wav" "${controls[@]}" "$uri"
  echo -n "$name $qname: "
  "$bridge" compare "$work/out.wav" "$work/ref.wav"
done

# Surround off passes the programme through; mute silences it.
lv2apply -i "$work/demo.wav" -o "$work/out.wav" -c surround 0 "$uri"
echo -n "surround off: "
"$bridge" compare "$work/out.wav" "$work/demo16.wav"
"$tevaro_dsp" --mute "$work/demo16.wav" "$work/ref.wav"
lv2apply -i "$work/demo.wav" -o "$work/out.wav" -c mute 1 "$uri"
echo -n "mute: "
"$bridge" compare "$work/out.wav" "$work/ref.wav"
