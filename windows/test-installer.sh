#!/usr/bin/env bash
# Installs Velloran with its Setup.exe silently into a fresh Wine prefix, once for all
# users (Program Files) and once for the current user alone, and checks each time: the
# installed files, the .vlr association and the "Apps" entry in the registry, a PDF export
# of the example card by the installed program, and that the uninstaller, run with the other
# install mode forced, still removes every installed file and registry key of the mode it was
# installed in. Then: a per-user install into an existing folder of the user's (/D=) goes
# into a "Velloran" folder inside it and leaves the user's files, another program's .vlr
# association stays as it was, and an all-users install outside Program Files is refused.
#   windows/test-installer.sh SETUP.exe EXAMPLE.vlr [LINUX_VELLORAN]
# With the Linux program given, the PDF's page count must equal the Linux export's.
set -uo pipefail
# One block: bash reads it whole before running it, so an edit during a run changes nothing.
{
setup=$1 card=$2 linux=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=${VELLORAN_WINE_PREFIX:-$(mktemp -d)/wine}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
bash "$here/wine-prefix.sh"

failures=0
check() {  # description, command...
  local what=$1; shift
  if "$@" >/dev/null 2>&1; then echo "  ok   $what"; else echo "  FAIL $what"; failures=$((failures + 1)); fi
}
regq() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }

files=(velloran.exe uninstall.exe translate.dat qt.conf paper.jpg LICENSE.txt installed
       examples/restaurant.vlr translations/qt_de.qm translations/qtbase_de.qm translations/qt_sv.qm)

expected_pages=""
if [ -n "$linux" ]; then
  out=$(mktemp -d)
  env -u DISPLAY -u WAYLAND_DISPLAY "$linux" --export-pdf "$out/linux.pdf" "$card" &&
    expected_pages=$(pdfinfo "$out/linux.pdf" | sed -n 's/^Pages: *//p')
fi

one_mode() {  # mode-switch, install dir (Unix path), registry root, Start menu (Unix path), other mode
  local mode=$1 dir=$2 root=$3 menu=$4 other=$5
  echo "== install $mode"
  wine "$setup" /S "/$mode"
  wineserver -w
  for f in "${files[@]}"; do check "installed $f" test -f "$dir/$f"; done
  check "Start-menu entry" test -f "$menu/Velloran.lnk"
  check ".vlr is a Velloran document" bash -c "$(declare -f regq); regq '$root\\Software\\Classes\\.vlr' /ve | grep -q Velloran.Document"
  check ".vlr opens with velloran.exe" bash -c "$(declare -f regq); regq '$root\\Software\\Classes\\Velloran.Document\\shell\\open\\command' /ve | grep -qi 'velloran.exe'"
  check ".vlr shows the program's icon" bash -c "$(declare -f regq); regq '$root\\Software\\Classes\\Velloran.Document\\DefaultIcon' /ve | grep -qi 'velloran.exe\",0'"
  check "listed in Apps with publisher" bash -c "$(declare -f regq); regq '$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velloran' /v Publisher | grep -q 'The Velloran authors'"

  local pdf=$WINEPREFIX/drive_c/karte-$mode.pdf
  wine "$dir/velloran.exe" --export-pdf 'C:\karte-'"$mode"'.pdf' "$dir/examples/restaurant.vlr"
  wineserver -w
  check "installed program exports the example card as PDF" test -s "$pdf"
  local pages
  pages=$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
  echo "       $pages pages${expected_pages:+ (Linux: $expected_pages)}"
  [ -n "$expected_pages" ] && check "same page count as on Linux" test "$pages" = "$expected_pages"
  check "its text is in the PDF" bash -c "pdftotext '$pdf' - | grep -q 'Gasthaus Zur Linde'"
  check "nothing written next to the installed program" test ! -e "$dir/options.dat"
  check "install mode recorded" grep -qx "$mode" "$dir/install-mode.txt"

  # The uninstaller keeps to the recorded mode whatever its command line says.
  echo "== uninstall $mode (run with /$other)"
  wine "$dir/uninstall.exe" /S "/$other"
  wineserver -w
  # The uninstaller runs from a copy in the temporary folder: wait for it.
  for _ in $(seq 1 60); do [ -e "$dir" ] || break; sleep 1; wineserver -w; done
  check "install folder removed" test ! -e "$dir"
  check "Start-menu entry removed" test ! -e "$menu/Velloran.lnk"
  check ".vlr association removed" bash -c "! wine reg query '$root\\Software\\Classes\\Velloran.Document' >/dev/null 2>&1"
  check "Apps entry removed" bash -c "! wine reg query '$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velloran' >/dev/null 2>&1"
}

c=$WINEPREFIX/drive_c
u=$c/users/${USER:-$(id -un)}
one_mode AllUsers "$c/Program Files/Velloran" HKLM "$c/ProgramData/Microsoft/Windows/Start Menu/Programs" CurrentUser
one_mode CurrentUser "$u/AppData/Local/Programs/Velloran" HKCU "$u/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" AllUsers

echo "== install for the current user into an existing folder, beside another program's .vlr"
mine="$c/Karten" # /D= cannot be quoted, and wine quotes an argument with spaces
mkdir -p "$mine"
echo "the user's own picture" >"$mine/paper.jpg"
wine reg add 'HKCU\Software\Classes\.vlr' /ve /d Other.Document /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Classes\.vlr\OpenWithProgids' /v Other.Document /d "" /f >/dev/null 2>&1
wineserver -w
wine "$setup" /S /CurrentUser '/D=C:\Karten'
wineserver -w
check "installed into the chosen folder's Velloran folder" test -f "$mine/Velloran/velloran.exe"
check "the user's file in the chosen folder untouched" grep -q "the user's own picture" "$mine/paper.jpg"
check "the other program keeps the .vlr default" bash -c "$(declare -f regq); regq 'HKCU\Software\Classes\.vlr' /ve | grep -q Other.Document"
check "Velloran is offered for .vlr through OpenWithProgids" bash -c "$(declare -f regq); regq 'HKCU\Software\Classes\.vlr\OpenWithProgids' /v Velloran.Document"
wine "$mine/Velloran/uninstall.exe" /S
wineserver -w
for _ in $(seq 1 60); do [ -e "$mine/Velloran" ] || break; sleep 1; wineserver -w; done
check "uninstalled: its folder removed" test ! -e "$mine/Velloran"
check "uninstalled: the user's file still there" grep -q "the user's own picture" "$mine/paper.jpg"
check "uninstalled: the other program's .vlr default kept" bash -c "$(declare -f regq); regq 'HKCU\Software\Classes\.vlr' /ve | grep -q Other.Document"
check "uninstalled: the other program's OpenWithProgids value kept" bash -c "$(declare -f regq); regq 'HKCU\Software\Classes\.vlr\OpenWithProgids' /v Other.Document"
check "uninstalled: Velloran's OpenWithProgids value removed" bash -c "$(declare -f regq); ! regq 'HKCU\Software\Classes\.vlr\OpenWithProgids' /v Velloran.Document | grep -q Velloran"

echo "== an all-users install outside Program Files is refused"
wine "$setup" /S /AllUsers '/D=C:\Anderswo'
refused=$?
wineserver -w
echo "       exit code $refused"
check "nothing installed there" test ! -e "$c/Anderswo/Velloran/velloran.exe"
check "no Apps entry for it" bash -c "! wine reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velloran' >/dev/null 2>&1"

echo "== installer under Wine: $failures failure(s)"
[ "$failures" -eq 0 ]
exit
}
