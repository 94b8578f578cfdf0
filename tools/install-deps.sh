#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages the build needs, when they are missing.
# Quiet and quick when everything is there; uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake clang pkg-config   # compilers (clang for the sanitizer and fuzz build)
  libsdl2-dev                              # window, input, audio, GPU renderer
  libpng-dev libjpeg-dev                   # PNG and JPEG pictures
  libvorbis-dev                            # Ogg Vorbis music and sounds
  libfreetype-dev                          # TrueType text
  libgtest-dev libgmock-dev                # tests
  libbenchmark-dev                         # benchmarks
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
