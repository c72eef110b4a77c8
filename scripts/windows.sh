#!/usr/bin/env bash
# Builds Velloran for 64-bit Windows on Debian 12 and tests it under Wine:
#   1. static Qt (qtbase, qtsvg) and libqrencode for Windows from Debian's source
#      packages, once, into a cache folder keyed by versions and options;
#   2. velloran.exe and its tests with cmake/mingw-w64-x86_64.cmake;
#   3. the tests under wine64 (offscreen platform);
#   4. the installer Velloran-<version>-Setup.exe with NSIS, and a silent install,
#      export and uninstall of it under Wine.
# Each stage prints how long it took.
#
#   scripts/windows.sh            everything
#   scripts/windows.sh deps       only the cached Windows libraries (Qt, libqrencode)
#
# Environment: VELLORAN_WIN_CACHE (default ~/.cache/velloran), VELLORAN_WIN_BUILD
# (default build-windows), VELLORAN_WIN_JOBS (default: number of cores).
set -euo pipefail
# The whole script is one block: bash reads it completely before running it, so that an
# edit of this file during the long Qt build cannot change what the running build does.
{
cd "$(dirname "$0")/.."
ROOT=$PWD

QT_VERSION=6.4.2
QRENCODE_VERSION=4.1.1
TOOLCHAIN=$ROOT/cmake/mingw-w64-x86_64.cmake
JOBS=${VELLORAN_WIN_JOBS:-$(nproc)}
CACHE=${VELLORAN_WIN_CACHE:-$HOME/.cache/velloran}
BUILD=${VELLORAN_WIN_BUILD:-$ROOT/build-windows}

# Qt's configuration: everything Velloran does not use is switched off, which keeps the
# build near 1,000 steps. Debian's source has no wintab.h (no tablet events); without
# OpenGL the Windows platform plugin also needs dynamicgl off.
QT_OPTIONS=(
  -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_vulkan=OFF -DFEATURE_sql=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_doubleconversion=OFF -DINPUT_openssl=no
)
OPTIONS_KEY=$(printf '%s\n' "${QT_OPTIONS[@]}" "$(cat "$TOOLCHAIN")" | sha1sum | cut -c1-10)
PREFIX=$CACHE/windows-qt$QT_VERSION-qrencode$QRENCODE_VERSION-$OPTIONS_KEY
SRC=$CACHE/src

stage_start() { STAGE_NAME=$1; STAGE_T0=$(date +%s); echo "== $STAGE_NAME"; }
stage_end() {
  local s=$(( $(date +%s) - STAGE_T0 ))
  printf '== %s: %dm%02ds\n' "$STAGE_NAME" $((s / 60)) $((s % 60))
  TIMES+=("$(printf '%-28s %dm%02ds' "$STAGE_NAME" $((s / 60)) $((s % 60)))")
}
TIMES=()

host_cmake_dir=/usr/lib/x86_64-linux-gnu/cmake

# The SHA-256 that a checksum list (a .dsc, or apt's own record of the source package)
# gives for a file name.
listed_sha256() {  # file name, list (text)
  awk -v name="$1" '/^Checksums-Sha256:/ { f = 1; next } /^[^ ]/ { f = 0 } f && $3 == name { print $1; exit }' <<<"$2"
}

# Checks a downloaded file against the SHA-256 its list gives; says which and stops otherwise.
verify_sha256() {  # file, list (text), where the list comes from
  local file=$1 want
  want=$(listed_sha256 "$(basename "$file")" "$2")
  if [ -z "$want" ]; then
    echo "windows.sh: $(basename "$file") is not listed in $3" >&2; return 1
  fi
  if ! echo "$want  $file" | sha256sum --check --quiet - >/dev/null 2>&1; then
    echo "windows.sh: $(basename "$file") does not match its SHA-256 in $3 (remove it from $SRC to fetch it again)" >&2
    return 1
  fi
}

# Debian's source package, unpacked into $SRC: its upstream tarball (orig.tar), the
# project's own release. The .dsc is checked against apt's record of the source package
# (from the signed archive index), the tarball against the .dsc, on every run, also when
# both come from the cache; an unpacked tree is used again only when it was unpacked from
# a tarball of that checksum. A failed download stops here, saying why.
unpack_source() {  # package version dirname
  local pkg=$1 ver=$2 dir=$3 full record dsc tarball sum
  mkdir -p "$SRC"
  full=$(apt-cache showsrc "$pkg" | sed -n 's/^Version: //p' | head -1)
  [ -n "$full" ] || { echo "windows.sh: apt knows no source package $pkg (deb-src missing?)" >&2; return 1; }
  record=$(apt-cache showsrc "$pkg" | awk -v v="$full" 'BEGIN { RS = "" } $0 ~ "\nVersion: " v "\n" { print; exit }')
  dsc=$SRC/${pkg}_${full#*:}.dsc
  if ! ls "$SRC/${pkg}_${ver}"*.orig.tar.* >/dev/null 2>&1 || [ ! -f "$dsc" ]; then
    if ! ( cd "$SRC" && apt-get source --download-only "$pkg=$full" ) >"$SRC/$pkg.fetch.log" 2>&1; then
      echo "windows.sh: apt-get source $pkg=$full failed:" >&2
      grep -E '^(E|W):' "$SRC/$pkg.fetch.log" >&2 || tail -5 "$SRC/$pkg.fetch.log" >&2
      return 1
    fi
  fi
  verify_sha256 "$dsc" "$record" "apt's record of $pkg $full" || return 1
  tarball=$(ls "$SRC/${pkg}_${ver}"*.orig.tar.* | head -1)
  verify_sha256 "$tarball" "$(cat "$dsc")" "$(basename "$dsc")" || return 1
  sum=$(sha256sum "$tarball" | cut -d' ' -f1)
  if [ -d "$SRC/$dir" ] && [ "$(cat "$SRC/$dir/.velloran-source-sha256" 2>/dev/null)" = "$sum" ]; then
    return 0
  fi
  rm -rf "${SRC:?}/$dir"
  ( cd "$SRC" && tar xf "$tarball" ) || return 1
  [ -d "$SRC/$dir" ] || { echo "windows.sh: no $dir after unpacking $pkg" >&2; return 1; }
  echo "$sum" >"$SRC/$dir/.velloran-source-sha256"
  echo "windows.sh: $pkg $full: $(basename "$tarball") verified against $(basename "$dsc")"
}

# qtbase is configured with the repository's toolchain file, the other modules with the
# one qtbase installs (it finds the Qt in $PREFIX and chains to ours).
build_qt_module() {  # source dir, extra options...
  local dir=$1; shift
  local b=$CACHE/build/$(basename "$dir")-$OPTIONS_KEY
  local tc=(-DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN")
  [ -f "$PREFIX/.qtbase-done" ] &&
    tc=(-DCMAKE_TOOLCHAIN_FILE="$PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" -DQT_CHAINLOAD_TOOLCHAIN_FILE="$TOOLCHAIN")
  cmake -S "$dir" -B "$b" -G Ninja "${tc[@]}" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=$host_cmake_dir \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_PREFIX_PATH="$PREFIX" "$@" >"$b.configure.log" 2>&1 ||
    { mkdir -p "$(dirname "$b")"; tail -40 "$b.configure.log"; exit 1; }
  cmake --build "$b" -j "$JOBS"
  cmake --install "$b" >/dev/null
}

build_deps() {
  mkdir -p "$CACHE/build"
  if [ ! -f "$PREFIX/.qtbase-done" ]; then
    stage_start "Qt base $QT_VERSION for Windows"
    unpack_source qt6-base "$QT_VERSION" qtbase-everywhere-src-$QT_VERSION
    build_qt_module "$SRC/qtbase-everywhere-src-$QT_VERSION" "${QT_OPTIONS[@]}"
    touch "$PREFIX/.qtbase-done"
    stage_end
  fi
  if [ ! -f "$PREFIX/.qtsvg-done" ] && ! (unpack_source qt6-svg "$QT_VERSION" qtsvg-everywhere-src-$QT_VERSION); then
    echo "windows.sh: WARNING: the source of qt6-svg could not be fetched; the program is built" >&2
    echo "windows.sh: without SVG support (no tool bar and window icons from SVG)." >&2
  elif [ ! -f "$PREFIX/.qtsvg-done" ]; then
    stage_start "Qt SVG $QT_VERSION for Windows"
    build_qt_module "$SRC/qtsvg-everywhere-src-$QT_VERSION" -DBUILD_SHARED_LIBS=OFF \
      -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    touch "$PREFIX/.qtsvg-done"
    stage_end
  fi
  # No Qt image formats module: its WebP and TIFF plugins would decode with the copies of
  # libwebp and libtiff in Qt's source, older than Debian's patched libraries, and its
  # other formats (ICNS, TGA, WBMP) are not used for a menu card. A cache made when it
  # was built still holds it; cmake/windows.cmake keeps its plugins out of the program.
  if [ ! -f "$PREFIX/.googletest-done" ]; then
    stage_start "GoogleTest for Windows"
    local g=$CACHE/build/googletest-$OPTIONS_KEY
    cmake -S /usr/src/googletest -B "$g" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=OFF \
      -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=ON >/dev/null
    cmake --build "$g" -j "$JOBS"
    cmake --install "$g" >/dev/null
    touch "$PREFIX/.googletest-done"
    stage_end
  fi
  if [ ! -f "$PREFIX/.qrencode-done" ]; then
    stage_start "libqrencode $QRENCODE_VERSION for Windows"
    unpack_source qrencode "$QRENCODE_VERSION" qrencode-$QRENCODE_VERSION
    local b=$CACHE/build/qrencode-$OPTIONS_KEY
    cmake -S "$SRC/qrencode-$QRENCODE_VERSION" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=OFF \
      -DWITH_TOOLS=NO -DWITH_TESTS=NO -DWITHOUT_PNG=ON >/dev/null
    cmake --build "$b" -j "$JOBS"
    cmake --install "$b" >/dev/null
    touch "$PREFIX/.qrencode-done"
    stage_end
  fi
}

stage_start "Windows build packages"
bash "$ROOT/scripts/install-windows-deps.sh"
stage_end

build_deps
# What the Windows program carries: Qt and the copies of the picture and compression
# libraries in Qt's source, with the versions their attribution files give. They are
# printed for the log and compiled into the program (--version and its about box).
BUILT_LIBRARIES=()
for lib in zlib:zlib libpng:libpng libjpeg:libjpeg-turbo; do
  a=$SRC/qtbase-everywhere-src-$QT_VERSION/src/3rdparty/${lib%%:*}/qt_attribution.json
  v=$(sed -n 's/.*"Version": *"\([^"]*\)".*/\1/p' "$a" 2>/dev/null | head -1)
  [ -n "$v" ] || { echo "windows.sh: no version of ${lib#*:} in $a" >&2; exit 1; }
  BUILT_LIBRARIES+=("${lib#*:} $v")
done
echo "== Libraries in the Windows program"
printf '  %s\n' "Qt $QT_VERSION" "${BUILT_LIBRARIES[@]}" "libqrencode $QRENCODE_VERSION"
echo "  (no WebP or TIFF decoder: Qt's copies of libwebp and libtiff are not built)"
[ "${1:-}" = deps ] && { printf '%s\n' "${TIMES[@]}"; exit 0; }

# --- Velloran for Windows --------------------------------------------------------------
export WINEDEBUG=-all
# No Mono or Gecko installers on a first start of a prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
WINE_TESTS=$CACHE/wine-tests
export WINEPREFIX=$WINE_TESTS

stage_start "Wine prefix"
bash "$ROOT/windows/wine-prefix.sh"
stage_end

stage_start "Velloran for Windows"
export PKG_CONFIG_LIBDIR=$PREFIX/lib/pkgconfig PKG_CONFIG_PATH=
mkdir -p "$BUILD"
cmake -S "$ROOT" -B "$BUILD" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$TOOLCHAIN" \
  -DCMAKE_PREFIX_PATH="$PREFIX" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=$host_cmake_dir \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$ROOT/windows/wine-run.sh" \
  -DCMAKE_BUILD_TYPE=Release -DVELLORAN_BUILD_BENCH=OFF \
  -DVELLORAN_BUILT_LIBRARIES="$(IFS=';'; echo "${BUILT_LIBRARIES[*]}")" >"$BUILD/configure.log" 2>&1 ||
  { tail -40 "$BUILD/configure.log"; exit 1; }
cmake --build "$BUILD" -j "$JOBS"
x86_64-w64-mingw32-strip -o "$BUILD/velloran.exe" "$BUILD/app/velloran.exe"
# Beside it the background picture, as the installer puts it (the program's data folder on
# Windows is its own).
cp "$ROOT/data/paper.jpg" "$BUILD/paper.jpg"
printf '[Paths]\nPrefix=.\nTranslations=translations\n' >"$BUILD/qt.conf"
stage_end

# --- The tests under Wine --------------------------------------------------------------
# Every test case runs, except those in windows/tests-not-under-wine.txt (each with its
# reason there). A failure or a skipped case fails the stage.
printf '[Paths]\nTranslations=Z:/usr/share/qt6/translations\n' >"$BUILD/tests/qt.conf"
WINE_SKIP=$(sed -e 's/#.*//' -e 's/[[:space:]]//g' "$ROOT/windows/tests-not-under-wine.txt" | grep -v '^$' | paste -sd:)
stage_start "Tests under Wine"
RESULTS=()
failed=0
for t in catalogue i18n layout texture export dialogs ship app; do
  exe=$BUILD/tests/test_$t.exe
  [ -f "$exe" ] || { echo "no $exe"; failed=1; continue; }
  log=$BUILD/tests/test_$t.wine.log
  if QT_QPA_PLATFORM=offscreen CUPS_SERVER=/nonexistent/cups.sock \
     timeout 1200 "$ROOT/windows/wine-run.sh" "$exe" --gtest_filter="*-$WINE_SKIP" >"$log" 2>&1 &&
     ! grep -q '^\[  SKIPPED \] [0-9]* test' "$log"; then
    r=ok
  else
    r=FAILED; failed=1
  fi
  summary=$(grep -E '^\[  PASSED  \]|^\[  FAILED  \] [0-9]+ test|^\[  SKIPPED \] [0-9]+ test' "$log" | tr '\n' ' ')
  RESULTS+=("$(printf 'test_%-10s %-6s %s' "$t" "$r" "$summary")")
  echo "${RESULTS[-1]}"
  # The failed and skipped cases by name (gtest pads the tags: "[  FAILED  ]"); listing
  # them never stops the loop, so every test program runs.
  [ "$r" = ok ] || { grep -E '^\[ +(FAILED|SKIPPED) +\] [A-Z]' "$log" | sort -u | head -40 || true; }
done
echo "left out under Wine: $(tr ':' '\n' <<<"$WINE_SKIP" | wc -l) test cases (windows/tests-not-under-wine.txt)"
stage_end

# What the tests under Wine cannot check (Debian's checking tools are Linux programs, and
# Wine gives a Windows program no handle to wait for one), checked here on the files that
# the Windows program writes: CSV and web page are the same bytes as the Linux program's
# (both run in the same locale), the web page is valid HTML, the PDF has the same
# pages and its text, and the QR code on the card reads back.
# The Linux program they are compared with (and the installer test runs) is built here
# when it is not there or older than the sources: in the tree scripts/test.sh builds
# (configured as it does when the tree does not exist yet), or VELLORAN_LINUX_BUILD.
LINUX_BUILD=${VELLORAN_LINUX_BUILD:-$ROOT/build}
stage_start "Linux program to compare with ($LINUX_BUILD)"
linux_log=$BUILD/linux-build.log
if [ ! -f "$LINUX_BUILD/CMakeCache.txt" ]; then
  bash "$ROOT/scripts/install-deps.sh" >"$linux_log" 2>&1 &&
    cmake -S "$ROOT" -B "$LINUX_BUILD" -G Ninja -DVELLORAN_DEBIAN_TREE=ON -DVELLORAN_BUILD_BENCH=OFF >>"$linux_log" 2>&1 ||
    { tail -20 "$linux_log"; echo "windows.sh: the Linux program the Windows program's files are compared with cannot be configured in $LINUX_BUILD (see $linux_log)" >&2; exit 1; }
fi
cmake --build "$LINUX_BUILD" -j "$JOBS" --target velloran >>"$linux_log" 2>&1 ||
  { tail -20 "$linux_log"; echo "windows.sh: the Linux program the Windows program's files are compared with cannot be built in $LINUX_BUILD (see $linux_log)" >&2; exit 1; }
for f in app/velloran data/translate.dat; do
  [ -e "$LINUX_BUILD/$f" ] || { echo "windows.sh: no $LINUX_BUILD/$f after building the Linux program" >&2; exit 1; }
done
stage_end

stage_start "Windows program's files"
out=$BUILD/files-check
rm -rf "$out"; mkdir -p "$out"
filecheck() {  # description, command...
  local what=$1; shift
  if "$@" >/dev/null 2>&1; then echo "  ok   $what"; else echo "  FAIL $what"; failed=1; fi
}
# Both without a language setting (the C locale): German texts, numbers with a point.
win() { env LC_ALL=C LANG=C "$ROOT/windows/wine-run.sh" "$BUILD/velloran.exe" "$@"; }
lin() { env -u DISPLAY -u WAYLAND_DISPLAY LC_ALL=C LANG=C "$LINUX_BUILD/app/velloran" "$@"; }
card=$ROOT/examples/restaurant.vlr
qrcard=$ROOT/fuzz/corpus/document/restaurant-qr.vlr
# Each program writes into a folder of its own under the same file names: the example is
# translated, so the web menu is two pages that name each other. The English page takes
# its own words ("Price on request") from the translation table: the Windows program runs
# here as a portable copy, whose table stands next to it (a test run may have left a
# partial one there).
mkdir -p "$out/win" "$out/linux"
cp "$BUILD/data/translate.dat" "$BUILD/translate.dat"
for kind in csv html; do
  win --export-$kind "$out/win/menu.$kind" "$card"
  lin --export-$kind "$out/linux/menu.$kind" "$card"
  filecheck "--export-$kind: same bytes as on Linux" cmp "$out/win/menu.$kind" "$out/linux/menu.$kind"
done
filecheck "--export-html: the English page, same bytes as on Linux" cmp "$out/win/menu.en.html" "$out/linux/menu.en.html"
filecheck "--export-html: valid HTML (tidy)" tidy -q -e "$out/win/menu.html"
filecheck "--export-html: the English page valid HTML (tidy)" tidy -q -e "$out/win/menu.en.html"
filecheck "translate.dat: same bytes as on Linux" cmp "$BUILD/data/translate.dat" "$LINUX_BUILD/data/translate.dat"
win --export-pdf "$out/win.pdf" "$card"
lin --export-pdf "$out/linux.pdf" "$card"
pages() { pdfinfo "$1" 2>/dev/null | sed -n 's/^Pages: *//p'; }
echo "  PDF: $(pages "$out/win.pdf") pages (Linux: $(pages "$out/linux.pdf"))"
filecheck "--export-pdf: same page count as on Linux" test "$(pages "$out/win.pdf")" = "$(pages "$out/linux.pdf")"
filecheck "--export-pdf: the card's text is in the PDF" \
  bash -c "pdftotext '$out/win.pdf' - | grep -q 'Gasthaus Zur Linde'"
win --export-png "$out/qr" "$qrcard" --dpi 150
lin --export-png "$out/qr-linux" "$qrcard" --dpi 150
last=$(ls "$out"/qr-[0-9]*.png | sort -V | tail -1)
echo "  QR code on $(basename "$last"): $(zbarimg -q --raw "$last" 2>/dev/null)"
filecheck "--export-png: one picture per page as on Linux" \
  test "$(ls "$out"/qr-[0-9]*.png | wc -l)" = "$(ls "$out"/qr-linux-*.png | wc -l)"
filecheck "the card's QR code reads back" \
  bash -c "zbarimg -q --raw '$last' | grep -qx 'https://linde.de/käse'"
# The libraries the program names are the ones built above, and no WebP or TIFF decoder.
win --version | tr -d '\r' >"$out/version.txt" || true
sed 's/^/  /' "$out/version.txt"
filecheck "--version: Qt $QT_VERSION and the libraries built for it" \
  bash -c "grep -qx '  Qt $QT_VERSION' '$out/version.txt' && $(printf "grep -qx '  %s' '$out/version.txt' && " "${BUILT_LIBRARIES[@]}") true"
filecheck "--version: no WebP or TIFF library" bash -c "! grep -qE 'libwebp|libtiff' '$out/version.txt'"
stage_end

# --- The installer ---------------------------------------------------------------------
VERSION=$(sed -n 's/^project(Velloran VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
SETUP=$BUILD/Velloran-$VERSION-Setup.exe
stage_start "Installer"
makensis -V2 -DPROGRAM="$BUILD/velloran.exe" -DTRANSLATE="$BUILD/data/translate.dat" \
  -DQTCONF="$BUILD/qt.conf" -DQTQM=/usr/share/qt6/translations -DOUTFILE="$SETUP" \
  "$BUILD/windows/installer.nsi"
ls -l "$BUILD/velloran.exe" "$SETUP"
stage_end

stage_start "Installer under Wine"
VELLORAN_WINE_PREFIX=$BUILD/wine-install bash "$ROOT/windows/test-installer.sh" "$SETUP" "$ROOT/examples/restaurant.vlr" \
  "$LINUX_BUILD/app/velloran" || failed=1
stage_end

echo
echo "== Stage times"
printf '%s\n' "${TIMES[@]}"
echo "== Tests under Wine"
printf '%s\n' "${RESULTS[@]}"
exit $failed
}
