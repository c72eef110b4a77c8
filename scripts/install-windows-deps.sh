#!/usr/bin/env bash
# Installs what the Windows build (scripts/windows.sh) needs on Debian 12 on top of
# scripts/install-deps.sh: the MinGW-w64 cross compilers (posix threads), Wine to run
# the tests and the installer, NSIS to build the installer, and deb-src beside the
# machine's own package sources so that Qt and libqrencode can be built for Windows from
# Debian's source packages.
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

# Source packages from the machine's own package sources (its mirror, its release):
# scripts/apt-deb-src.sh adds deb-src to the entries apt already has.
need_update=0
if [ -n "$(SUDO="$SUDO" bash "$(dirname "$0")/apt-deb-src.sh")" ]; then
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
