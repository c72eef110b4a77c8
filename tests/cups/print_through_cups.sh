#!/usr/bin/env bash
# Prints the example card with "velloran --print" through a real CUPS server:
# a private cupsd (own configuration, own socket, no systemd) with a CUPS-PDF
# printer, whose spool keeps the job as the program sent it. The PDF that
# comes out of the CUPS-PDF printer must have the card's page count and look
# like the program's own PDF export page by page (its fonts become pictures);
# the job as sent must hold the card's text and title.
#
#   print_through_cups.sh VELLORAN CARD.vlr [TEST_APP]
#
# With TEST_APP the GUI tests that need an installed printer run against the
# same server as well. Needs root (CUPS-PDF runs its backend as root) and the
# packages cups, printer-driver-cups-pdf and poppler-utils.
set -euo pipefail

VELLORAN=$(readlink -f "$1")
CARD=$(readlink -f "$2")
TEST_APP=${3:+$(readlink -f "$3")}
WAIT=${VELLORAN_CUPS_WAIT:-90} # seconds for the server and for each job

WORK=""
CUPSD_PID=""
log() { echo "cups-print: $*"; }
fail() {
    echo "cups-print: FAIL: $*" >&2
    if [ -n "$WORK" ] && [ -f "$WORK/log/error_log" ]; then
        echo "--- last lines of the private cupsd's error_log ---" >&2
        tail -n 40 "$WORK/log/error_log" >&2 || true
    fi
    exit 1
}
cleanup() {
    if [ -n "$CUPSD_PID" ] && kill -0 "$CUPSD_PID" 2>/dev/null; then
        kill "$CUPSD_PID" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$CUPSD_PID" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$CUPSD_PID" 2>/dev/null || true
    fi
    [ -n "${PDFCONF:-}" ] && rm -f "$PDFCONF"
    [ -n "$WORK" ] && rm -rf "$WORK"
}
trap cleanup EXIT

[ -x "$VELLORAN" ] || fail "program not found: $1"
[ -f "$CARD" ] || fail "card not found: $2"
[ "$(id -u)" -eq 0 ] || fail "must run as root: the CUPS-PDF backend runs as root (CI runs the tests as root)"
for tool in cupsd lpadmin lpstat pdfinfo pdftoppm pdftotext cmp awk; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/install-deps.sh"
done
PPD=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
[ -x /usr/lib/cups/backend/cups-pdf ] || fail "the CUPS-PDF backend is missing: run scripts/install-deps.sh"

WORK=$(mktemp -d /tmp/velloran-cups.XXXXXX)
chmod 755 "$WORK"
mkdir -p "$WORK"/{etc/ppd,etc/ssl,spool/tmp,run,cache,log,out,home}
# The scheduler runs filters as lp: they need to reach the spool and output.
chown -R lp "$WORK/spool" "$WORK/cache" "$WORK/out"
chmod 1777 "$WORK/out" "$WORK/spool/tmp"
SOCK="$WORK/run/cups.sock"

cat > "$WORK/etc/cups-files.conf" <<CONF
ServerRoot $WORK/etc
RequestRoot $WORK/spool
TempDir $WORK/spool/tmp
StateDir $WORK/run
CacheDir $WORK/cache
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
AccessLog $WORK/log/access_log
ErrorLog $WORK/log/error_log
PageLog $WORK/log/page_log
User lp
Group lp
SystemGroup root
FileDevice Yes
Printcap $WORK/run/printcap
CONF
cat > "$WORK/etc/cupsd.conf" <<CONF
LogLevel info
PreserveJobFiles Yes
Listen $SOCK
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
# CUPS-PDF reads the configuration of its instance ("cups-pdf:/NAME" reads
# /etc/cups/cups-pdf-NAME.conf); this one writes into the test's own folder.
INSTANCE="velloran-test-$$"
PDFCONF="/etc/cups/cups-pdf-$INSTANCE.conf"
cat > "$PDFCONF" <<CONF
Out $WORK/out
Spool $WORK/spool-pdf
Log $WORK/log
LogType 3
Label 1
CONF
chmod 644 "$PDFCONF"

log "starting cupsd on $SOCK"
cupsd -f -c "$WORK/etc/cupsd.conf" -s "$WORK/etc/cups-files.conf" &
CUPSD_PID=$!
export CUPS_SERVER="$SOCK"
running() { [ -S "$SOCK" ] && lpstat -r 2>/dev/null | grep -q "is running"; }
for ((i = 0; i < WAIT * 10; i++)); do
    running && break
    kill -0 "$CUPSD_PID" 2>/dev/null || fail "cupsd ended at its start"
    sleep 0.1
done
running || fail "cupsd did not answer within ${WAIT}s"

log "adding the CUPS-PDF printer"
lpadmin -p VelloranPDF -E -v "cups-pdf:/$INSTANCE" -m "$PPD" -o printer-error-policy=abort-job 2>/dev/null \
    || fail "lpadmin could not add the CUPS-PDF printer"
lpadmin -d VelloranPDF || fail "lpadmin could not set the default printer"

# Waits until the queue has no unfinished job, then for the file to appear.
wait_for_jobs() {
    local queue=$1
    for ((i = 0; i < WAIT * 10; i++)); do
        [ -z "$(lpstat -o "$queue" 2>/dev/null)" ] && return 0
        sleep 0.1
    done
    fail "the job on $queue did not finish within ${WAIT}s: $(lpstat -o "$queue" 2>&1)"
}

log "printing $CARD on VelloranPDF"
"$VELLORAN" --print --printer VelloranPDF "$CARD" || fail "velloran --print exited with $?"
wait_for_jobs VelloranPDF
PDF=""
for ((i = 0; i < WAIT * 10; i++)); do
    PDF=$(find "$WORK/out" -name '*.pdf' -size +0 | head -n 1)
    [ -n "$PDF" ] && pdfinfo "$PDF" >/dev/null 2>&1 && break
    PDF=""
    sleep 0.1
done
[ -n "$PDF" ] || fail "no PDF arrived from the CUPS-PDF printer within ${WAIT}s ($(lpstat -W completed -o 2>&1 | tail -n 1))"
log "the printer wrote $(basename "$PDF")"
[ -n "${VELLORAN_CUPS_KEEP:-}" ] && cp "$PDF" "$VELLORAN_CUPS_KEEP"

# The card as the program exports it itself, on the printer's page (A4).
"$VELLORAN" --export-pdf "$WORK/export.pdf" "$CARD" || fail "velloran --export-pdf exited with $?"
pages() { pdfinfo "$1" | sed -n 's/^Pages:[[:space:]]*//p'; }
EXPECTED=$(pages "$WORK/export.pdf")
GOT=$(pages "$PDF")
[ "$EXPECTED" -ge 1 ] || fail "the exported card has no pages"
[ "$GOT" = "$EXPECTED" ] || fail "the printed PDF has $GOT pages, the card has $EXPECTED"
log "$GOT pages, as the card"

# Page by page, as pictures: the printed page at 50 ppi in grey differs from
# the program's own export in few pixels (anti-aliasing and the printer's
# conversion of the fonts); a missing or shifted text or frame does not.
pdftoppm -r 50 -gray "$PDF" "$WORK/printed"
pdftoppm -r 50 -gray "$WORK/export.pdf" "$WORK/exported"
# Pixels whose grey levels differ by more than a quarter of the scale.
differing() {
    cmp -l "$1" "$2" | awk 'function oct(s,  v, i) { v = 0; for (i = 1; i <= length(s); i++) v = v * 8 + substr(s, i, 1); return v }
        { d = oct($2) - oct($3); if (d < 0) d = -d; if (d > 64) n++ } END { print n + 0 }'
}
for ((p = 1; p <= EXPECTED; p++)); do
    a=$(ls "$WORK"/printed-*.pgm | sed -n "${p}p")
    b=$(ls "$WORK"/exported-*.pgm | sed -n "${p}p")
    [ "$(stat -c %s "$a")" = "$(stat -c %s "$b")" ] || fail "page $p of the printed PDF has another size than the card's"
    total=$(stat -c %s "$b")
    diff=$(differing "$a" "$b")
    log "page $p: $diff of about $total pixels differ"
    [ $((diff * 100)) -le $((total * ${VELLORAN_CUPS_TOLERANCE:-2})) ] \
        || fail "page $p differs from the exported page in $diff of $total pixels"
done

# The job as the program sent it, kept in the spool.
SENT=$(find "$WORK/spool" -name 'd*-001' | head -n 1)
[ -n "$SENT" ] || fail "the spool kept no job file"
TEXT=$(pdftotext "$SENT" - 2>/dev/null) || fail "the job sent is not a PDF"
FIRST=$(pdftotext "$WORK/export.pdf" - | grep -m1 -v '^[[:space:]]*$')
grep -qF "$FIRST" <<<"$TEXT" || fail "the job sent lacks the card's first line \"$FIRST\""
[ "$(pdftotext "$WORK/export.pdf" - | tr -s '[:space:]' ' ')" = "$(tr -s '[:space:]' ' ' <<<"$TEXT")" ] \
    || fail "the text of the job sent differs from the card's"
[ "$(pages "$SENT")" = "$EXPECTED" ] || fail "the job sent has $(pages "$SENT") pages"
pdfinfo "$SENT" | grep -q "^Title:[[:space:]]*Speisekarte drucken" || fail "the job is not titled \"Speisekarte drucken\""
log "the job holds the card's text and its title"

log "a printer that does not exist"
set +e
ERR=$("$VELLORAN" --print --printer NoSuchPrinter "$CARD" 2>&1 >/dev/null)
RC=$?
set -e
[ "$RC" -eq 1 ] || fail "a missing printer gave exit code $RC"
[ "$(wc -l <<<"$ERR")" -eq 1 ] && [[ "$ERR" == *NoSuchPrinter* ]] || fail "a missing printer said: $ERR"

if [ -n "$TEST_APP" ]; then
    log "the GUI tests that need a printer"
    VELLORAN_REQUIRE_PRINTER=1 QT_QPA_PLATFORM=offscreen "$TEST_APP" \
        --gtest_filter='PreviewPrinting.CancelledPageSetup*' || fail "the printer set-up tests failed"
fi
log "passed"
