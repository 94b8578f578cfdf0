#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages the build needs, when they are missing.
# Quiet and quick when everything is there. Installs with apt-get, through sudo when not run
# as root; where that cannot be done (no root and no sudo, or a system without apt) it names
# what to install and ends with status 1, so that tools/build.sh stops before the build.
set -euo pipefail

packages=(
  build-essential cmake clang pkg-config   # compilers (clang for the sanitizer and fuzz build)
  libsdl2-dev                              # window, input, audio, GPU renderer
  libpng-dev libjpeg-dev                   # PNG and JPEG pictures
  libvorbis-dev                            # Ogg Vorbis music and sounds
  libfreetype-dev                          # TrueType text
  libgtest-dev libgmock-dev                # tests
  libbenchmark-dev                         # benchmarks
  desktop-file-utils appstream             # checking the desktop entry and the metainfo file
)

# What the build uses, by the name other systems know it under: programs, then pkg-config
# modules (GoogleTest and Google Benchmark ship pkg-config files too).
programs=(cmake c++ clang++ pkg-config desktop-file-validate appstreamcli)
modules=(sdl2 libpng libjpeg vorbisfile freetype2 gtest gmock benchmark)

have() { command -v "$1" >/dev/null 2>&1; }

# Without dpkg the packages cannot be asked for by name: look for what they provide instead.
if ! have dpkg-query; then
  missing=()
  for p in "${programs[@]}"; do have "$p" || missing+=("$p"); done
  for m in "${modules[@]}"; do
    have pkg-config && pkg-config --exists "$m" || missing+=("$m (pkg-config module)")
  done
  [ ${#missing[@]} -eq 0 ] && exit 0
  echo "This is not a Debian or Ubuntu system, so nothing can be installed from here." >&2
  echo "Please install, with your system's package manager:" >&2
  printf '  %s\n' "${missing[@]}" >&2
  echo "(compilers, CMake 3.20 or later, and the development files of SDL2 2.0.18 or later," >&2
  echo " libpng, libjpeg, libvorbis, FreeType, GoogleTest and Google Benchmark; the tests check" >&2
  echo " the desktop entry with desktop-file-validate and the metainfo file with appstreamcli)" >&2
  exit 1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if have sudo; then
    sudo=(sudo)
  else
    echo "These packages are missing, and installing them needs root (there is no sudo):" >&2
    echo "  apt-get install ${missing[*]}" >&2
    echo "Run that as root, then run this again." >&2
    exit 1
  fi
fi
if ! have apt-get; then
  echo "These packages are missing and there is no apt-get to install them:" >&2
  printf '  %s\n' "${missing[@]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! "${sudo[@]}" apt-get update -qq ||
  ! "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
  echo "Installing failed. Please install these packages yourself:" >&2
  echo "  apt-get install ${missing[*]}" >&2
  exit 1
fi
