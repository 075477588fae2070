#!/usr/bin/env bash
# What the visualization face costs: host_sim renders every preset of each classic visualization
# through its DLL under Wine into a 32-bit DIB section and calls the same engine directly in the same
# process, at the player's default window and at 1280 x 720 (best of many short rounds each, one core).
#
#   bench/classic_viz/com_face.sh BED_DIR     (the win64 tree must be built)
set -euo pipefail
cd "$(dirname "$0")/../.."
bed=$1
winebed=tools/winebed/winebed
"$winebed" start --bed "$bed"
for effect in Glintora Tessaray Throbwave Emberlux; do
  "$winebed" regsvr32 --bed "$bed" "build/win64/bin/$effect.dll"
  echo "== COM face of $effect.dll (host_sim under Wine, one core)"
  for preset in 0 1 2; do
    for size in 350x320 1280x720; do
      taskset -c 0 "$winebed" run --bed "$bed" build/win64/bin/host_sim.exe viz-bench --effect "$effect" \
        --preset "$preset" --size "$size"
    done
  done
done
