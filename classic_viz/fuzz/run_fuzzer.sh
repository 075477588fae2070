#!/usr/bin/env bash
# Builds the image-archive fuzz harness with clang (libFuzzer, ASan, UBSan) outside the gcc trees
# and runs it for a bounded time, seeded with the generated Glintora archive when there is one.
#   classic_viz/fuzz/run_fuzzer.sh [SECONDS]   (default 45)
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-45}
out=build/fuzz
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I. \
  classic_viz/fuzz/image_archive_fuzzer.cpp classic_viz/framework/image_archive.cpp \
  -o "$out/image_archive_fuzzer"
seed=build/native/assets/glintora/DATATABLE_5.bin
[ -f "$seed" ] && cp "$seed" "$out/corpus/glintora.bin"
"$out/image_archive_fuzzer" "$out/corpus" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=1024 \
  -print_final_stats=1 2>&1 | tail -n 12
