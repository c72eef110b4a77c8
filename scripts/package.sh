#!/usr/bin/env bash
# Builds the Debian package velloran_<version>_<arch>.deb.
#
# The package is built from a copy of the files git tracks, as they are in the working
# tree (a new file is part of it once it is `git add`ed), so nothing from a build
# directory or other untracked file ever gets in. With --from-build the program comes
# from a build of the working tree instead; the script then refuses a working tree that
# has untracked sources, which that build would have compiled in. The .deb, its debug symbols, .changes
# and .buildinfo are put into OUTDIR (default: out/).
#
# usage: scripts/package.sh [--from-build BUILD_DIR] [OUTDIR]
#        scripts/package.sh --check-version   only check the version, build nothing
# --from-build makes the package from a tree already built with Debian's flags (cmake -DVELLORAN_DEBIAN_TREE=ON, as scripts/test.sh configures build/):
# its installation goes into the package; debian/rules compiles nothing.
# Environment: VELLORAN_PACKAGE_JOBS (default: the number of processors);
# VELLORAN_PACKAGE_CCACHE=0 compiles without ccache even when it is installed.
# Needs debhelper and the build dependencies of debian/control (scripts/install-deps.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

# The version lives in one place, CMake's project(); debian/changelog's newest entry
# must name the same version (add an entry with `dch -v VERSION` when it changes).
version=$(sed -n 's/^project(Velloran VERSION \([0-9][0-9.]*\).*/\1/p' "$here/CMakeLists.txt")
if [ -z "$version" ]; then
  echo "package.sh: no project version found in CMakeLists.txt" >&2
  exit 1
fi
changelog_version=$(dpkg-parsechangelog -l "$here/debian/changelog" -S Version)
if [ "$changelog_version" != "$version" ]; then
  echo "package.sh: debian/changelog is at $changelog_version but CMakeLists.txt at $version;" \
       "add a changelog entry for $version" >&2
  exit 1
fi
if [ "${1:-}" = "--check-version" ]; then
  echo "$version"
  exit 0
fi

built=
if [ "${1:-}" = "--from-build" ]; then
  [ -n "${2:-}" ] && [ -f "$2/CMakeCache.txt" ] || { echo "package.sh: --from-build needs a configured build directory" >&2; exit 1; }
  built=$(cd "$2" && pwd)
  shift 2
  untracked=$(git -C "$here" ls-files --others --exclude-standard -- '*.cpp' '*.h' '*.qrc' '*.txt' '*.cmake')
  if [ -n "$untracked" ]; then
    echo "package.sh: untracked files that a build would take in (git add or remove them):" >&2
    echo "$untracked" >&2
    exit 1
  fi
fi
out=${1:-$here/out}
mkdir -p "$out"
out=$(cd "$out" && pwd)
arch=$(dpkg --print-architecture)

# A fixed place under OUTDIR (not a random temporary name) so that ccache finds the
# objects of an earlier package build again.
work=$out/.package-build
rm -rf "$work"
src=$work/velloran-$version
mkdir -p "$src"
trap 'rm -rf "$work"' EXIT

# The tracked files; one deleted in the working tree but not yet in git is left out.
git -C "$here" ls-files -z --cached \
  | (cd "$here" && tar --null --no-recursion --ignore-failed-read -cf - --files-from=-) \
  | tar -xf - -C "$src"

if [ "${VELLORAN_PACKAGE_CCACHE:-1}" != 0 ] && [ -d /usr/lib/ccache ]; then
  export PATH=/usr/lib/ccache:$PATH
  # Sources compiled with a precompiled header are cached only when ccache is told so.
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
fi
jobs=${VELLORAN_PACKAGE_JOBS:-$(nproc)}
(cd "$src" && VELLORAN_BUILT_TREE=$built dpkg-buildpackage -us -uc -b -J"$jobs")

for f in "$work"/*_"$version"_*; do
  mv -f "$f" "$out"/
done
deb=$out/velloran_${version}_${arch}.deb
if [ ! -f "$deb" ]; then
  echo "package.sh: $deb was not built" >&2
  exit 1
fi
echo "$deb"
