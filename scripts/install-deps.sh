#!/usr/bin/env bash
# Installs every Debian package needed to build, test, benchmark, package and check Tessnivar.
# Run as root; safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libcups2-dev
  libbenchmark-dev sipcalc
  clang clang-format libclang-rt-14-dev
  fonts-dejavu-core fonts-liberation fonts-comic-neue
  poppler-utils cups printer-driver-cups-pdf
  desktop-file-utils
  xvfb xauth xdotool imagemagick dbus-daemon at-spi2-core
  dpkg-dev debhelper devscripts file lintian appstream mandoc groff-base
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
