#!/usr/bin/env bash
# Prints the example card with "velloran --print" through a real CUPS server:
# a private cupsd (own configuration, own socket, no systemd) with a CUPS-PDF
# printer, whose spool keeps the job as the program sent it. The PDF that
# comes out of the CUPS-PDF printer must have the card's page count and look
# like the program's own PDF export page by page (its fonts become pictures);
# the job as sent must hold the card's text and title. Then the card is
# printed as a booklet (--imposition booklet) and must give the sheet sides of
# the booklet PDF export, page by page.
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
    if [ -n "$WORK" ] && [ -s "$WORK/log/cupsd.out" ]; then
        echo "--- what the private cupsd printed ---" >&2
        tail -n 20 "$WORK/log/cupsd.out" >&2 || true
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
for tool in cupsd lpadmin lpstat pdfinfo pdftoppm pdftotext od awk; do
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

# A copy of the program with a German options.dat of its own (it keeps its
# files next to itself), so that the job carries the German title whatever
# the machine's language.
mkdir -p "$WORK/prog"
cp "$VELLORAN" "$WORK/prog/velloran"
for f in data translate.dat; do
    if [ -e "$(dirname "$VELLORAN")/$f" ]; then cp -r "$(dirname "$VELLORAN")/$f" "$WORK/prog/"; fi
done
printf '\0\0\0\0' > "$WORK/prog/options.dat"
VELLORAN="$WORK/prog/velloran"

log "starting cupsd on $SOCK"
cupsd -f -c "$WORK/etc/cupsd.conf" -s "$WORK/etc/cups-files.conf" >"$WORK/log/cupsd.out" 2>&1 &
CUPSD_PID=$!
export CUPS_SERVER="$SOCK"
running() { [ -S "$SOCK" ] && [[ "$(lpstat -r 2>/dev/null)" == *"is running"* ]]; }
for ((i = 0; i < WAIT * 10; i++)); do
    running && break
    kill -0 "$CUPSD_PID" 2>/dev/null || fail "cupsd ended at its start"
    sleep 0.1
done
running || fail "cupsd did not answer within ${WAIT}s"

log "adding the CUPS-PDF printer"
lpadmin -p VelloranPDF -E -v "cups-pdf:/$INSTANCE" -m "$PPD" -o printer-error-policy=abort-job \
    2>"$WORK/log/lpadmin.err" || fail "lpadmin could not add the CUPS-PDF printer: $(cat "$WORK/log/lpadmin.err")"
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
    PDF=$(find "$WORK/out" -name '*.pdf' -size +0 -print -quit)
    [ -n "$PDF" ] && pdfinfo "$PDF" >/dev/null 2>&1 && break
    PDF=""
    sleep 0.1
done
[ -n "$PDF" ] || fail "no PDF arrived from the CUPS-PDF printer within ${WAIT}s ($(lpstat -W completed -o 2>&1 | tail -n 1))"
log "the printer wrote $(basename "$PDF")"
# VELLORAN_CUPS_KEEP=FILE keeps a copy of the printed PDF.
if [ -n "${VELLORAN_CUPS_KEEP:-}" ]; then cp "$PDF" "$VELLORAN_CUPS_KEEP"; fi

# The card as the program exports it itself, on the printer's page (A4).
"$VELLORAN" --export-pdf "$WORK/export.pdf" "$CARD" || fail "velloran --export-pdf exited with $?"
pages() { pdfinfo "$1" | sed -n 's/^Pages:[[:space:]]*//p'; }
EXPECTED=$(pages "$WORK/export.pdf")
GOT=$(pages "$PDF")
[ "$EXPECTED" -ge 1 ] || fail "the exported card has no pages"
[ "$GOT" = "$EXPECTED" ] || fail "the printed PDF has $GOT pages, the card has $EXPECTED"
log "$GOT pages, as the card"

# Page by page, as pictures at 50 ppi in grey. CUPS-PDF turns the fonts into
# glyph pictures whose shapes and spacing differ a little, so the pages are
# compared by where their ink lies: the dark pixels of each band of 4 rows
# (2 mm). The same page differs there by some 5 to 16 percent of its ink,
# another page of the card by 60 percent and more.
# Dark pixels (grey below 128) per row of a binary PGM, one number a line.
rows() {
    local w h
    read -r w h < <(head -n 2 "$1" | tail -n 1)
    tail -c "$((w * h))" "$1" | od -An -tu1 -v -w"$w" \
        | awk '{ n = 0; for (i = 1; i <= NF; i++) if ($i < 128) n++; print n }'
}
# Dark pixels per column, one number a line.
cols() {
    local w h
    read -r w h < <(head -n 2 "$1" | tail -n 1)
    tail -c "$((w * h))" "$1" | od -An -tu1 -v -w"$w" \
        | awk -v w="$w" '{ for (i = 1; i <= NF; i++) if ($i < 128) n[i]++ }
                         END { for (i = 1; i <= w; i++) print n[i] + 0 }'
}
# The difference of two ink profiles per band in percent of the ink, and the ink.
ink_difference() {
    paste "$1" "$2" | awk '{ k = int(NR / 4); a[k] += $1; b[k] += $2 }
        END { for (k in a) { d = a[k] - b[k]; s += d < 0 ? -d : d; t += (a[k] + b[k]) / 2 }
              printf "%d %d\n", t ? s * 100 / t : 100, t }'
}
# Compares a printed PDF with an exported one page by page: PRINTED EXPORTED
# NAME. A landscape sheet may come out of the printer turned onto portrait
# paper (CUPS turns it by a quarter, either way): its columns are then
# compared with the exported page's rows.
compare_pages() {
    local printed=$1 exported=$2 name=$3 count pw ph ew eh
    count=$(pages "$exported")
    pdftoppm -r 50 -gray "$printed" "$WORK/$name-printed" 2>/dev/null || fail "pdftoppm could not read the printed PDF"
    pdftoppm -r 50 -gray "$exported" "$WORK/$name-exported" || fail "pdftoppm could not read the exported PDF"
    mapfile -t PRINTED < <(ls "$WORK"/"$name"-printed-*.pgm)
    mapfile -t EXPORTED < <(ls "$WORK"/"$name"-exported-*.pgm)
    [ "${#PRINTED[@]}" -eq "$count" ] || fail "pdftoppm gave ${#PRINTED[@]} page pictures of the printed PDF"
    for ((p = 0; p < count; p++)); do
        read -r pw ph < <(head -n 2 "${PRINTED[p]}" | tail -n 1)
        read -r ew eh < <(head -n 2 "${EXPORTED[p]}" | tail -n 1)
        rows "${EXPORTED[p]}" >"$WORK/e.ink"
        if [ "$pw $ph" = "$ew $eh" ]; then
            rows "${PRINTED[p]}" >"$WORK/p.ink"
            read -r diff ink < <(ink_difference "$WORK/p.ink" "$WORK/e.ink")
        elif [ "$pw $ph" = "$eh $ew" ]; then
            cols "${PRINTED[p]}" >"$WORK/p.ink"
            tac "$WORK/p.ink" >"$WORK/p-back.ink"
            read -r diff ink < <(ink_difference "$WORK/p.ink" "$WORK/e.ink")
            read -r back _ < <(ink_difference "$WORK/p-back.ink" "$WORK/e.ink")
            [ "$back" -lt "$diff" ] && diff=$back
            log "page $((p + 1)) came out turned onto ${pw} x ${ph} paper"
        else
            fail "page $((p + 1)) of the printed PDF has another size than the card's"
        fi
        log "page $((p + 1)): the ink differs by $diff% from the exported page"
        [ "$ink" -gt 0 ] || fail "page $((p + 1)) is empty"
        [ "$diff" -le 35 ] || fail "page $((p + 1)) differs from the exported page by $diff% of its ink"
    done
}
compare_pages "$PDF" "$WORK/export.pdf" card

# The job as the program sent it, kept in the spool.
SENT=$(find "$WORK/spool" -name 'd*-001' -print -quit)
[ -n "$SENT" ] || fail "the spool kept no job file"
pdftotext "$SENT" "$WORK/sent.txt" 2>/dev/null || fail "the job sent is not a PDF"
pdftotext "$WORK/export.pdf" "$WORK/card.txt" || fail "pdftotext could not read the exported PDF"
FIRST=$(grep -v '^[[:space:]]*$' "$WORK/card.txt" | head -n 1 || true)
grep -qF "$FIRST" "$WORK/sent.txt" || fail "the job sent lacks the card's first line \"$FIRST\""
[ "$(tr -s '[:space:]' ' ' <"$WORK/card.txt")" = "$(tr -s '[:space:]' ' ' <"$WORK/sent.txt")" ] \
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

log "printing $CARD as a booklet"
rm -f "$WORK"/out/*.pdf
"$VELLORAN" --print --printer VelloranPDF --imposition booklet "$CARD" || fail "velloran --print --imposition booklet exited with $?"
wait_for_jobs VelloranPDF
BOOKLET=""
for ((i = 0; i < WAIT * 10; i++)); do
    BOOKLET=$(find "$WORK/out" -name '*.pdf' -size +0 -print -quit)
    [ -n "$BOOKLET" ] && pdfinfo "$BOOKLET" >/dev/null 2>&1 && break
    BOOKLET=""
    sleep 0.1
done
[ -n "$BOOKLET" ] || fail "no booklet arrived from the CUPS-PDF printer within ${WAIT}s"
if [ -n "${VELLORAN_CUPS_KEEP:-}" ]; then cp "$BOOKLET" "${VELLORAN_CUPS_KEEP%.pdf}-heft.pdf"; fi
"$VELLORAN" --export-pdf "$WORK/heft.pdf" --imposition booklet "$CARD" || fail "velloran --export-pdf --imposition booklet exited with $?"
[ "$(pages "$BOOKLET")" = "$(pages "$WORK/heft.pdf")" ] \
    || fail "the printed booklet has $(pages "$BOOKLET") sheet sides, the export $(pages "$WORK/heft.pdf")"
compare_pages "$BOOKLET" "$WORK/heft.pdf" heft
log "the printed booklet has the export's $(pages "$BOOKLET") sheet sides"

if [ -n "$TEST_APP" ]; then
    log "the GUI tests that need a printer"
    VELLORAN_TEST_CUPS_SERVER="$SOCK" QT_QPA_PLATFORM=offscreen "$TEST_APP" \
        --gtest_filter='*OnAPrinter.*' || fail "the printer set-up tests failed"
fi
log "passed"
