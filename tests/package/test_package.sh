#!/usr/bin/env bash
# The Debian package as Debian's own tools see it: scripts/package.sh builds it from the
# tracked files; lintian, appstreamcli, desktop-file-validate, update-mime-database and
# man check what it ships; then it is unpacked with dpkg-deb -x and the program is run
# from the unpacked tree, where it must find its shipped data by itself.
# usage: test_package.sh SOURCE_DIR WORK_DIR [BUILD_DIR]
# With BUILD_DIR (a tree configured with -DVELLORAN_DEBIAN_TREE=ON and built), the
# package is made from that tree (package.sh --from-build); otherwise it is built anew.
set -euo pipefail
src=$(cd "$1" && pwd)
work=$2
from_build=()
[ -z "${3:-}" ] || from_build=(--from-build "$3")
fail() { echo "FAIL: $*" >&2; exit 1; }

# The tools come with scripts/install-deps.sh; a machine without them fails the test
# rather than passing it unchecked.
for tool in dpkg-buildpackage dh lintian appstreamcli desktop-file-validate \
            update-mime-database man pdfinfo pdfimages; do
  command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/install-deps.sh)"
done

rm -rf "$work/unpacked" "$work/run" "$work/mime"
mkdir -p "$work"
version=$(bash "$src/scripts/package.sh" --check-version)
arch=$(dpkg --print-architecture)
bash "$src/scripts/package.sh" "${from_build[@]}" "$work/out" > "$work/package.log" 2>&1 \
  || { tail -40 "$work/package.log"; fail "the package did not build (log: $work/package.log)"; }
deb=$work/out/velloran_${version}_${arch}.deb
changes=$work/out/velloran_${version}_${arch}.changes
[ -f "$deb" ] && [ -f "$changes" ] || fail "package.sh made no $deb and $changes"

echo "== lintian"
lintian --fail-on error,warning "$deb" "$changes" || fail "lintian reports errors or warnings"

echo "== the package's contents"
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/velloran ./usr/share/velloran/paper.jpg ./usr/share/velloran/translate.dat \
         ./usr/share/velloran/examples/restaurant.vlr ./usr/share/applications/velloran.desktop \
         ./usr/share/mime/packages/velloran.xml ./usr/share/metainfo/org.velloran.Velloran.metainfo.xml \
         ./usr/share/man/man1/velloran.1.gz ./usr/share/icons/hicolor/scalable/apps/velloran.svg \
         ./usr/share/icons/hicolor/256x256/apps/velloran.png ./usr/share/doc/velloran/copyright; do
  grep -qxF "$f" <<<"$files" || fail "$f is not in the package"
done
# Only the program itself in bin/: no test, benchmark or build tool.
[ "$(grep -c '^\./usr/bin/.' <<<"$files")" = 1 ] || fail "more than the program in usr/bin: $(grep '^\./usr/bin/.' <<<"$files")"
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libqt6printsupport6 libqt6svg6 fonts-liberation qt6-image-formats-plugins \
         qt6-qpa-plugins qt6-translations-l10n; do
  grep -q "\b$p\b" <<<"$depends" || fail "Depends lacks $p: $depends"
done

root=$work/unpacked
dpkg-deb -x "$deb" "$root"

echo "== AppStream, desktop entry, document type, manual page"
metainfo=$root/usr/share/metainfo/org.velloran.Velloran.metainfo.xml
appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli validate"
# The screenshots are the repository's own pictures: every address names one of its files.
shots=$(sed -n 's|.*<image>https://velloran\.org/\(.*\)</image>.*|\1|p' "$metainfo")
[ -n "$shots" ] || fail "no screenshot in the AppStream data"
for s in $shots; do
  [ -f "$src/$s" ] || fail "the screenshot $s is not in the repository"
done
out=$(desktop-file-validate "$root/usr/share/applications/velloran.desktop" 2>&1) \
  && [ -z "$out" ] || fail "desktop-file-validate: $out"
mkdir -p "$work/mime/packages"
cp "$root/usr/share/mime/packages/velloran.xml" "$work/mime/packages/"
out=$(XDG_DATA_DIRS=$work update-mime-database "$work/mime" 2>&1) && [ -z "$out" ] || fail "update-mime-database: $out"
grep -q ':\*\.vlr$' "$work/mime/globs2" || fail "*.vlr is not in the MIME database"
[ -f "$work/mime/application/x-velloran.xml" ] || fail "application/x-velloran was not registered"
out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/velloran.1.gz" 2>&1 >/dev/null) \
  && [ -z "$out" ] || fail "man --warnings: $out"

echo "== the unpacked program"
# A home of its own: nothing of the user running the test is read or written.
run=$work/run
mkdir -p "$run/home"
export HOME=$run/home XDG_CONFIG_HOME=$run/home/.config
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
# No print server: nothing depends on the printers of the machine.
export CUPS_SERVER=$run/no-cups.sock
bin=$root/usr/bin/velloran
# --version: the version, then Qt and the picture and compression libraries, each as the
# Debian package of this machine has it (the upstream part of the package's version).
said=$("$bin" --version 2>"$run/err") || fail "--version failed: $(cat "$run/err")"
[ ! -s "$run/err" ] || fail "--version wrote to standard error: $(cat "$run/err")"
[ "$(head -n 1 <<<"$said")" = "Velloran $version" ] || fail "--version says $said"
for lib in zlib:zlib1g libpng:libpng16-16 libjpeg-turbo:libjpeg62-turbo libwebp:libwebp7 libtiff:libtiff6; do
  upstream=$(dpkg-query -W -f='${Version}' "${lib#*:}" | sed -e 's/^[0-9]*://' -e 's/-[^-]*$//' -e 's/[.+~]dfsg.*//')
  grep -qx "  ${lib%%:*} $upstream" <<<"$said" || fail "--version does not name ${lib%%:*} $upstream: $said"
done
card=$root/usr/share/velloran/examples/restaurant.vlr
(cd "$run" && "$bin" --export-pdf karte.pdf "$card") 2> "$run/err" || fail "--export-pdf: $(cat "$run/err")"
# The example's food card is bilingual with four texts untranslated: that one note, nothing
# else (a picture the installed program could not find would be said here).
[ "$(wc -l <"$run/err")" -eq 1 ] &&
  grep -Eqx 'velloran: (Zweisprachige Karte: 4 Texte ohne Übersetzung|Bilingual card: 4 texts without translation)' "$run/err" ||
  fail "--export-pdf wrote to standard error: $(cat "$run/err")"
pages=$(pdfinfo "$run/karte.pdf" | sed -n 's/^Pages: *//p')
[ "${pages:-0}" -ge 2 ] || fail "the PDF has ${pages:-no} pages"
# The example's background is paper.jpg without a folder: found in the unpacked share/
# directory, it is in the PDF as a picture.
[ "$(pdfimages -list "$run/karte.pdf" | tail -n +3 | wc -l)" -ge 1 ] \
  || fail "the PDF has no background picture: paper.jpg was not found"
echo "package test passed: $deb"
