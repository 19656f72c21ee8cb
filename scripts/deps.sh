#!/usr/bin/env bash
# Installs the Debian packages Trevanor needs to build, test and run, when missing,
# and the packages named as arguments (the fuzzing and packaging scripts' own).
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev xvfb xauth fonts-dejavu-core fonts-wine
          xdotool x11-utils imagemagick desktop-file-utils openbox
          zlib1g-dev g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 ccache "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
