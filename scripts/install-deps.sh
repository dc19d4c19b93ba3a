#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, test, fuzz, package and run, when any is
# missing; with `web`, those of the browser build too.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev libgl-dev libxcb1-dev
  libqt6svg6 libqt6multimedia6 qt6-qpa-plugins
  fonts-liberation2
  desktop-file-utils appstream man-db groff-base dpkg-dev file time
  clang libclang-rt-14-dev
)
# `install-deps.sh web`: the browser build and its tests too (make web, make test). Any node and
# npm on the PATH serve; Debian's otherwise.
if [ "${1:-}" = web ]; then
  packages+=(emscripten fonttools python3-brotli chromium)
  command -v node > /dev/null || packages+=(nodejs)
  command -v npm > /dev/null || packages+=(npm)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
