#!/bin/sh
# Builds and runs the frame benchmark: the game's screens drawn through SDL's offscreen video
# driver with SDL's software renderer (or the render driver named as the first argument).
#   bench/frame_bench.sh [RENDER_DRIVER]
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVELA_BENCH=ON >/dev/null
cmake --build build -j2 --target frame_bench
exec build/bench/frame_bench "$@"
