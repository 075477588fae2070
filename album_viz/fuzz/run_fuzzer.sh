#!/usr/bin/env bash
# Builds the effect-reader fuzz harness with clang (libFuzzer, ASan, UBSan) outside the gcc trees
# and runs it for a bounded time, seeded with the scene's own effect text.
#   album_viz/fuzz/run_fuzzer.sh [SECONDS]   (default 20)
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-20}
out=build/fuzz/effect
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I. \
  album_viz/fuzz/effect_parser_fuzzer.cpp album_viz/d3dx/effect_parser.cpp album_viz/d3dx/effect_states.cpp \
  -o "$out/effect_parser_fuzzer"
cp album_viz/resources/scene_effect.fx "$out/corpus/scene_effect.fx"
"$out/effect_parser_fuzzer" "$out/corpus" -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=1024 \
  -print_final_stats=1 2>&1 | tail -n 12
