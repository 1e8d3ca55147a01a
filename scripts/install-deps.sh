#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Quillora needs.
# Idempotent: packages already present are left alone, and apt is not touched when nothing is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev python3
  libgtest-dev googletest libbenchmark-dev zlib1g-dev libpng-dev
  libexpat1-dev libpugixml-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
  wine wine64 xvfb xdotool x11-utils imagemagick
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "install-deps: done"
