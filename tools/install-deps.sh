#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libgl-dev libjpeg-dev
  libgtest-dev googletest libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation2 fonts-dejavu-core
  libexpat1-dev libpugixml-dev ncompress xvfb xauth
  python3 locales
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# A comma-decimal locale: tests show that number texts ignore the process locale.
if ! locale -a 2>/dev/null | grep -qix 'hu_HU\.utf-\?8'; then
  $sudo localedef -i hu_HU -c -f UTF-8 hu_HU.UTF-8 || echo "hu_HU.UTF-8 not generated; a locale test will be skipped"
fi
