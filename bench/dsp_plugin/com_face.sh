#!/usr/bin/env bash
# What the DSP's COM face costs: host_sim streams the demo programme through TevaroPlayerDSP.dll
# under Wine and through the engine's DspChain called directly in the same process (best of 7
# rounds each, one core), next to the native tevaro-dsp on Linux.
#
#   bench/dsp_plugin/com_face.sh BED_DIR     (the win64 and native trees must be built)
set -euo pipefail
cd "$(dirname "$0")/../.."
bed=$1
winebed=tools/winebed/winebed
"$winebed" start --bed "$bed"
"$winebed" regsvr32 --bed "$bed" build/win64/bin/HostSimRegistrar.dll
"$winebed" regsvr32 --bed "$bed" build/win64/bin/TevaroPlayerDSP.dll
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
build/native/tools/tevaro-dsp/tevaro-dsp --make-demo "$scratch/programme.wav"
echo "== COM face of TevaroPlayerDSP.dll (host_sim under Wine, one core)"
taskset -c 0 "$winebed" run --bed "$bed" build/win64/bin/host_sim.exe bench "$scratch/programme.wav" --rounds 7
t0=$(date +%s.%N)
taskset -c 0 build/native/tools/tevaro-dsp/tevaro-dsp --word 0x0428 "$scratch/programme.wav" "$scratch/native.wav" 2>/dev/null
t1=$(date +%s.%N)
awk -v a="$t0" -v b="$t1" \
  'BEGIN{printf "  native tevaro-dsp (Linux) : real-time factor %7.1f  (%.3f s, whole process)\n", 60/(b-a), b-a}'
