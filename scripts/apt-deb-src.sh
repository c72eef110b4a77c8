#!/usr/bin/env bash
# Makes Debian's source packages (apt-get source, apt-get build-dep) available from the
# package sources this machine already uses, so that a machine behind a mirror or on
# another release gets them from where it gets its packages:
#   - every deb822 entry (sources.list.d/*.sources) whose Types has "deb" gets "deb-src"
#     added to its Types;
#   - every one-line "deb ..." entry (sources.list, sources.list.d/*.list) gets a
#     "deb-src ..." line with the same options, address, release and components right
#     below it, unless the file has that line already.
# Nothing else is touched; run again, it changes nothing. velloran-deb-src.sources, which
# an earlier install-windows-deps.sh wrote with Debian's own host and release in it, is
# removed once the machine's own entries provide the sources.
#
# Environment: VELLORAN_APT_DIR, the apt configuration folder (default /etc/apt; the
# tests use a copy); SUDO, the command that writes there ("sudo", or empty as root).
# Prints "changed" when it changed something (the caller then runs apt-get update).
set -euo pipefail

APT_DIR="${VELLORAN_APT_DIR:-/etc/apt}"
SUDO="${SUDO-}"
OLD_FILE="$APT_DIR/sources.list.d/velloran-deb-src.sources"

# A deb822 file with "deb-src" beside every "deb" in its Types fields.
deb822_with_src() {
  awk '
    {
      line = $0
      if (tolower(line) ~ /^types:/) {
        n = split(substr(line, index(line, ":") + 1), t, /[ \t]+/)
        deb = 0; src = 0
        for (i = 1; i <= n; i++) { if (t[i] == "deb") deb = 1; if (t[i] == "deb-src") src = 1 }
        if (deb && !src) { sub(/[ \t]+$/, "", line); line = line " deb-src" }
      }
      print line
    }' "$1"
}

# A one-line file with a "deb-src" line below every "deb" line that has none.
oneline_with_src() {
  awk '
    function norm(s) { gsub(/[ \t]+/, " ", s); sub(/^ /, "", s); sub(/ $/, "", s); return s }
    NR == FNR { l = norm($0); if (l ~ /^deb-src /) have[substr(l, 9)] = 1; next }
    {
      print
      l = norm($0)
      if (l ~ /^deb / && !(substr(l, 5) in have)) { print "deb-src " substr(l, 5); have[substr(l, 5)] = 1 }
    }' "$1" "$1"
}

# Whether a file of the machine's own entries offers source packages.
offers_src() {
  case "$1" in
    *.sources) grep -Eiq '^types:.*[[:space:]]deb-src([[:space:]]|$)' "$1" ;;
    *) grep -Eq '^[[:space:]]*deb-src[[:space:]]' "$1" ;;
  esac
}

changed=0
own_src=0
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT

shopt -s nullglob
files=()
[ -f "$APT_DIR/sources.list" ] && files+=("$APT_DIR/sources.list")
files+=("$APT_DIR"/sources.list.d/*.list "$APT_DIR"/sources.list.d/*.sources)
for f in "${files[@]}"; do
  [ "$f" = "$OLD_FILE" ] && continue
  case "$f" in
    *.sources) deb822_with_src "$f" >"$tmp" ;;
    *) oneline_with_src "$f" >"$tmp" ;;
  esac
  if ! cmp -s "$f" "$tmp"; then
    $SUDO tee "$f" <"$tmp" >/dev/null
    changed=1
  fi
  if offers_src "$f"; then own_src=1; fi
done

if ((own_src)) && [ -e "$OLD_FILE" ]; then
  $SUDO rm -f "$OLD_FILE"
  changed=1
fi
if ((!own_src)); then
  echo "apt-deb-src.sh: no \"deb\" entry in $APT_DIR to take the source packages from" >&2
fi
if ((changed)); then echo changed; fi
