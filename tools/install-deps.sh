#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n libgl-dev libjpeg-dev
  libgtest-dev googletest libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation2 fonts-dejavu-core
  libexpat1-dev libpugixml-dev ncompress xvfb xauth
  # The printed report's test reads the PDF's text boxes back.
  poppler-utils
  python3 locales
  # Needed only at run time, so no build shows them: the help pages' opener.
  xdg-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if [ ${#missing[@]} -ne 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# Comma-decimal locales for the test that numbers never follow the process locale.
for loc in de_DE hu_HU; do
  if ! locale -a 2>/dev/null | grep -qix "${loc}\.utf-\?8"; then
    echo "Generating ${loc}.UTF-8"
    $sudo localedef -i "$loc" -f UTF-8 "${loc}.UTF-8" || echo "Could not generate ${loc}.UTF-8; the locale test will be skipped"
  fi
done
