#!/usr/bin/env bash
# The whole CoverDrift frame under Wine (scene update, bars, Direct3D, copies) in DC and window mode
# at 350 x 320, 800 x 600 and 1280 x 720. Not pinned to one core, for the reason scene_frame.sh gives.
#   bench/album_viz/cover_drift_frame.sh BED_DIR     (the win64 tree must be built)
set -euo pipefail
cd "$(dirname "$0")/../.."
bed=$1
tools/winebed/winebed start --bed "$bed"
tools/winebed/winebed run --bed "$bed" build/win64/bin/cover_drift_frame_bench.exe
