#!/usr/bin/env bash
# The README's two commands:
#   tools/build.sh play   installs what is missing, builds the game and starts it
#   tools/build.sh test   installs what is missing, builds the normal and the sanitizer
#                         configuration (warnings as errors) and runs every test in both
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
jobs=$(nproc)

build() {  # build DIR CMAKE-OPTIONS...
  local dir=$1
  shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

case "${1:-}" in
  play)
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    exec build/orvela-puzzle
    ;;
  test)
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVELA_WERROR=ON
    ctest --test-dir build --output-on-failure -j"$jobs"
    build build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVELA_WERROR=ON \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DORVELA_SANITIZE=ON -DORVELA_FUZZ=ON -DORVELA_BENCH=OFF
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir build/asan --output-on-failure -j"$jobs"
    ;;
  *)
    echo "usage: tools/build.sh play|test" >&2
    exit 2
    ;;
esac
