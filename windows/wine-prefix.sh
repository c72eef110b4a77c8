#!/usr/bin/env bash
# Makes the Wine prefix in $WINEPREFIX ready for Velloran: its first start (without the
# Mono and Gecko installers), and the card's Windows fonts drawn by the metric-compatible
# Liberation fonts, as fontconfig does for the Linux program. Wine has no Times New Roman
# and would otherwise measure the card in another serif face, so that lines and pages
# would break elsewhere than on Windows and on Linux. Safe to run again.
set -euo pipefail
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
for pair in "Times New Roman=Liberation Serif" "Courier New=Liberation Mono" "Arial=Liberation Sans"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
done
wineserver -w
