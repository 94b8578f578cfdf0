#!/bin/sh
# Builds and runs the frame benchmark: the game's screens drawn through SDL's offscreen video
# driver with SDL's software renderer (or the render driver named as the first argument).
#   bench/frame_bench.sh [RENDER_DRIVER]
# With --xvfb it runs three times on a virtual X display (Xvfb, with Mesa's GL drawing on the
# CPU), as on a machine without a working graphics driver: SDL's GL renderer asked for by name
# (what SDL picks by itself there), the game's own choice, and the game's own choice as on a
# machine with a GPU device, where it asks the GL what it draws with.
#   bench/frame_bench.sh --xvfb
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVELA_BENCH=ON >/dev/null
cmake --build build -j2 --target frame_bench
[ "$1" = --xvfb ] || exec build/bench/frame_bench "$@"

command -v Xvfb >/dev/null || {
  echo "Xvfb is missing (Debian: apt-get install xvfb)" >&2
  exit 1
}
number=$(mktemp)
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$number" 2>/dev/null &
server=$!
trap 'kill $server 2>/dev/null; rm -f "$number"' EXIT INT TERM
for _ in $(seq 100); do
  [ -s "$number" ] && break
  sleep 0.1
done
[ -s "$number" ] || {
  echo "Xvfb did not start" >&2
  exit 1
}
DISPLAY=":$(cat "$number")"
export DISPLAY
# The X server's CPU time in clock ticks: it puts every shown frame on its screen.
server_ticks() { awk '{ print $14 + $15 }' "/proc/$server/stat"; }
for run in "opengl" "auto" "--gpu-device auto"; do
  before=$(server_ticks)
  # shellcheck disable=SC2086 # the options of each run are words of their own
  build/bench/frame_bench --x11 $run
  echo "X server CPU in the run: $(($(server_ticks) - before)) ticks of 1/$(getconf CLK_TCK) s"
  echo
done
