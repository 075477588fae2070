#!/usr/bin/env bash
# One CoverDrift frame under Wine on the bed's llvmpipe Direct3D, window and DC mode. Not pinned to
# one core: Wine's Direct3D hands its work to a command-stream thread, and with both threads on one
# core every readback waits for a scheduler turn (about 16 ms each), which measures the pinning.
#   bench/album_viz/scene_frame.sh BED_DIR     (the win64 tree must be built)
set -euo pipefail
cd "$(dirname "$0")/../.."
bed=$1
tools/winebed/winebed start --bed "$bed"
tools/winebed/winebed run --bed "$bed" build/win64/bin/album_scene_frame_bench.exe
