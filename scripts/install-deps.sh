#!/usr/bin/env bash
# Installs everything Velloran needs to build, test and run on Debian 12.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-image-formats-plugins qt6-qpa-plugins
  # Qt's own dialogs and buttons in the interface language
  qt6-translations-l10n
  libgl-dev libxkbcommon-dev
  fonts-liberation fontconfig
  libgtest-dev libbenchmark-dev
  poppler-utils xvfb xauth xdotool
  # printing through a real CUPS server (the test starts its own) onto the PDF printer
  cups printer-driver-cups-pdf
  # QR codes (libqrencode) and the checkers of the web page and QR code tests
  libqrencode-dev tidy zbar-tools
  # spreadsheets: the Excel export (libxlsxwriter), the workbook import (QuaZip), and
  # openpyxl, the independent reader and writer the spreadsheet tests check them with
  libxlsxwriter-dev libquazip1-qt6-dev python3-openpyxl
  # the fuzz targets: clang with libFuzzer and the sanitizer runtimes
  clang libclang-rt-14-dev
  # the Debian package (scripts/package.sh) and the tools its test checks it with
  debhelper dpkg-dev lintian appstream desktop-file-utils shared-mime-info man-db
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
