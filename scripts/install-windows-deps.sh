#!/usr/bin/env bash
# Installs what the Windows build (scripts/windows.sh) needs on Debian 12 on top of
# scripts/install-deps.sh: the MinGW-w64 cross compilers (posix threads), Wine to run
# the tests and the installer, NSIS to build the installer, and a deb-src entry so that
# Qt and libqrencode can be built for Windows from Debian's own source packages.
# Kept apart from install-deps.sh so that a Linux-only machine does not pull in Wine.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

PACKAGES=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 nsis dpkg-dev
  # host tools of the same Qt version that a Qt cross build runs
  qt6-base-dev-tools qt6-translations-l10n libgtest-dev
)

SRC_LIST=/etc/apt/sources.list.d/velloran-deb-src.sources
need_update=0
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  $SUDO tee "$SRC_LIST" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})) || ((need_update)); then
  $SUDO apt-get update -q
fi
if ((${#missing[@]})); then
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
