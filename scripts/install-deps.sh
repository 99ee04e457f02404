#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the package and the screenshots need,
# and only those that are missing, so a second run costs nothing.
set -euo pipefail
packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-charts-dev libgl-dev libqt6opengl6-dev zlib1g-dev
  qt6-image-formats-plugins libjpeg62-turbo
  libxlsxwriter-dev
  # Qt's own texts (menus of the fields, the file dialog) in Portuguese.
  qt6-translations-l10n
  locales
  python3-openpyxl
  # The tests read the summary's PDF report back with pdftotext and pdfinfo.
  poppler-utils
  fonts-dejavu-core fonts-liberation
  # make package: CPack reads the program's libraries with file and dpkg-shlibdeps.
  dpkg-dev file
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo_=""
[ "$(id -u)" -ne 0 ] && sudo_=sudo
echo "Installing: ${missing[*]}"
$sudo_ apt-get update -qq
# Through env: sudo would drop a variable set in front of it, and debconf would then ask.
$sudo_ env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
