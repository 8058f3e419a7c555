#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine (run as root).
# Does nothing when everything is already there, so it is cheap to run before every build.
set -euo pipefail
packages=(cmake g++ ninja-build pkg-config python3 qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev libicu-dev xvfb xauth fonts-dejavu-core fonts-liberation2
          fonts-liberation poppler-utils qt6-translations-l10n
          # The export opens the report in a window, so LibreOffice comes with its user
          # interface; installing it replaces the no-GUI variants.
          libreoffice-calc libreoffice-writer)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
