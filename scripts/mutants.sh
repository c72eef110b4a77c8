#!/usr/bin/env bash
# Mutation check for the layout engine and the document file: applies one
# small change at a time (an operator, a constant, a swapped font), rebuilds
# only the test programs that cover the changed file, runs them and reports
# the changes that no test notices ("survivors"). The source file is put
# back after every change, also when the script is interrupted.
# usage: scripts/mutants.sh [BUILD_DIR] [NAME_REGEX]
#   BUILD_DIR   an already configured and built tree (default build); a tree
#               configured with -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS=-O0
#               rebuilds a mutant fastest
#   NAME_REGEX  run only the mutants whose name matches (default all)
# Prints one line per mutant and a summary; exits 0 when every applied
# mutant was caught, 1 otherwise. Run it with `nice` on a shared machine.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
build=${1:-build}
only=${2:-.}
export QT_QPA_PLATFORM=offscreen

# name | file | the line fragment to change | its replacement | test programs
# A fragment that begins with spaces must start its line (indentation
# tells apart repeated statements); it must pick out exactly one line.
mutants=$(cat <<'EOF'
reserve-desc|layout/cardlayout.cpp|reserve = 3 * hN;|reserve = 2 * hN;|layout
final-desc|layout/cardlayout.cpp|finalAdvance = 2 * hN;|finalAdvance = 1.5 * hN;|layout
reserve-plain|layout/cardlayout.cpp|reserve = finalAdvance = 1.5 * hN;|reserve = finalAdvance = 1 * hN;|layout
break-test-plain|layout/cardlayout.cpp|if (y_ + reserve > bottom_)|if (y_ + 1.5 * hN > bottom_)|layout
break-test-final|layout/cardlayout.cpp|if (y_ + reserve > bottom_)|if (y_ + finalAdvance > bottom_)|layout
category-fit|layout/cardlayout.cpp|if (y_ + 2 * itemReserve_ > bottom_)|if (y_ + itemReserve_ > bottom_)|layout
newpage-first|layout/cardlayout.cpp|else if (s_.NewPageForKatCheck && i > 0)|else if (s_.NewPageForKatCheck)|layout
desc-start|layout/cardlayout.cpp|y_ += 1.5 * hN;|y_ += 2 * hN;|layout
desc-row-hN|layout/cardlayout.cpp|const double hD = lineHeight();|const double hD = hN;|layout
desc-back-hN|layout/cardlayout.cpp|y_ -= hD;|y_ -= hN;|layout
desc-break-top|layout/cardlayout.cpp|y_ = s_.ObenEd + headerBand_ + rowAdvance;|y_ = s_.ObenEd + headerBand_;|layout
freetext-font|layout/cardlayout.cpp|    prepare(FreeTextFont);|    prepare(DescriptionFont);|layout
freetext-after|layout/cardlayout.cpp|y_ += 0.5 * hF;|y_ += 1.0 * hF;|layout
category-end-font|layout/cardlayout.cpp|        y_ += lineHeight();|        prepare(CategoryFont); y_ += lineHeight();|layout
footer-band|layout/cardlayout.cpp|footerBand_ = 2 * lineHeight();|footerBand_ = lineHeight();|layout
header-band|layout/cardlayout.cpp|headerBand_ = 2 * lineHeight();|headerBand_ = 3 * lineHeight();|layout
bottom-no-footer|layout/cardlayout.cpp|bottom_ = heightmm_ - s_.UntenEd - footerBand_;|bottom_ = heightmm_ - s_.UntenEd;|layout
desc-wrap-width|layout/cardlayout.cpp|paintRows(description, priceLeft - x_ - numColMM_, x_ + numColMM_, hD);|paintRows(description, priceLeft - x_, x_ + numColMM_, hD);|layout
desc-left|layout/cardlayout.cpp|paintRows(description, priceLeft - x_ - numColMM_, x_ + numColMM_, hD);|paintRows(description, priceLeft - x_ - numColMM_, x_, hD);|layout
free-wrap-pricecol|layout/cardlayout.cpp|widthmm_ - s_.RechtsEd - priceColMM_ - x_, x_, hF|widthmm_ - s_.RechtsEd - x_, x_, hF|layout
free-wrap-margin|layout/cardlayout.cpp|widthmm_ - s_.RechtsEd - priceColMM_ - x_, x_, hF|widthmm_ - priceColMM_ - x_, x_, hF|layout
numcol-px|layout/cardlayout.cpp|numColPx_ = std::max(numColPx_, c_.textWidth(label));|numColPx_ = std::max(numColPx_, pos(TextWidthMM(label)));|layout
pricecol-px|layout/cardlayout.cpp|c_.textOut(width_ - rm_ - priceColPx_ - c_.textWidth(quantity.toString()), top, quantity.toString());|c_.textOut(width_ - rm_ - pos(priceColMM_) - c_.textWidth(quantity.toString()), top, quantity.toString());|layout
font-round|layout/cardlayout.cpp|double zs = std::trunc(double(f.size) * Z_ / 100.0);|double zs = std::round(double(f.size) * Z_ / 100.0);|layout
leader-from-name|layout/cardlayout.cpp|LeaderDots(LayoutMeasure(*meas_), priceLeft - start)|LeaderDots(LayoutMeasure(*meas_), priceLeft - nameEnd)|layout
leader-start|layout/cardlayout.cpp|const double start = nameEnd + d;|const double start = nameEnd;|layout
name-space|layout/cardlayout.cpp|(long long)meas_->width(name) + meas_->width(u" ")|(long long)meas_->width(name)|layout
price-left-qty|layout/cardlayout.cpp|priceLeft = widthmm_ - s_.RechtsEd - priceColMM_ - TextWidthMM(quantity);|priceLeft = widthmm_ - s_.RechtsEd - priceColMM_;|layout
onreq-left-qty|layout/cardlayout.cpp|priceLeft = widthmm_ - s_.RechtsEd - TextWidthMM(onReq) - TextWidthMM(quantity);|priceLeft = widthmm_ - s_.RechtsEd - TextWidthMM(onReq);|layout
heading-page1|layout/cardlayout.cpp|if (!s_.CaptionEd.isEmpty()) {|if (!s_.CaptionEd.isEmpty() && req_ == 1) {|layout
heading-font|layout/cardlayout.cpp|    prepare(HeadingFont);|    prepare(CategoryFont);|layout
category-font|layout/cardlayout.cpp|        prepare(CategoryFont);|        prepare(HeadingFont);|layout
number-font|layout/cardlayout.cpp|    prepare(NumberFont);|    prepare(DescriptionFont);|layout
numcol-font|layout/cardlayout.cpp|            prepare(NumberFont);|            prepare(PriceFont);|layout
price-font|layout/cardlayout.cpp|    prepare(PriceFont);|    prepare(NumberFont);|layout
pricecol-font|layout/cardlayout.cpp|            prepare(PriceFont);|            prepare(NumberFont);|layout
leader-font|layout/cardlayout.cpp|    prepare(LeaderFont);|    prepare(PriceFont);|layout
desc-font|layout/cardlayout.cpp|    prepare(DescriptionFont);|    prepare(NumberFont);|layout
footer-font|layout/cardlayout.cpp|        prepare(FooterFont);|        prepare(HeaderFont);|layout
header-font|layout/cardlayout.cpp|        prepare(HeaderFont);|        prepare(FooterFont);|layout
footer-top|layout/cardlayout.cpp|height_ - bm_ - h, s_.FussEd|height_ - bm_, s_.FussEd|layout
measure-restore|layout/cardlayout.cpp|meas_ = savedMeas;|(void)savedMeas;|layout
category-centre|layout/cardlayout.cpp|left = (width_ - c_.textWidth(name)) / 2;|left = ((width_ - lm_ - rm_ - c_.textWidth(name)) / 2) + lm_;|layout
name-after-col|layout/cardlayout.cpp|c_.textOut(pos(x_) + numColPx_, top, name.toString());|c_.textOut(pos(x_ + numColMM_), top, name.toString());|layout
margin-round|layout/cardlayout.cpp|clampToInt(std::trunc(mm / kMmPerInch|clampToInt(std::round(mm / kMmPerInch|layout
pricecol-spaces|layout/cardlayout.cpp|QStringLiteral("    ") + PriceAmount(p.price, s_.NoKommaCheck)|PriceAmount(p.price, s_.NoKommaCheck)|layout
free-text-kind|layout/cardlayout.cpp|if (p.price >= 0)|if (p.price > 0)|layout
frame-pen-zoom|layout/cardlayout.cpp|std::trunc(double(Z_) * dpi_ / kMmPerInch / 100.0)|std::trunc(100.0 * dpi_ / kMmPerInch / 100.0)|layout
leader-dots-edge|layout/cardlayout.cpp|MeasuredPxToMM((n + 1) * a) <= availableMM|MeasuredPxToMM((n + 1) * a) < availableMM|layout
print-zoom|layout/cardoutput.cpp|c.zoom = 100; // sizes and positions at the same zoom|// c.zoom = 100;|layout
preview-height-zoom|layout/cardoutput.cpp|g.H = int(std::trunc(double(qint64(area.heightPx) * screenDpi) / area.dpi * zoom / 100.0));|g.H = int(std::trunc(double(qint64(area.heightPx) * screenDpi) / area.dpi * 100 / 100.0));|layout
doc-face-length|catalogue/document.cpp|uint8_t(f.face.size() & 0xFF)|uint8_t(f.face.size() & 0x7F)|catalogue
doc-font-size|catalogue/document.cpp|w.writeInt32(f.size);|w.writeInt32(f.pixelsPerInch);|catalogue
doc-bool|catalogue/document.cpp|b = v != 0;|b = v == 1;|catalogue
doc-group-a|catalogue/document.cpp|            d.hasGroupA = true;|            d.hasGroupA = false;|catalogue
doc-price-float|catalogue/document.cpp|w.writeFloat64(r->price);|w.writeFloat64(float(r->price));|catalogue
doc-text-endian|catalogue/document.cpp|d[i] = QChar(qFromLittleEndian<quint16>(|d[i] = QChar(qFromBigEndian<quint16>(|catalogue
EOF
)

# Test programs and the filters they run with.
declare -A filter=([layout]='*' [catalogue]='*')

backup=""
target_file=""
restore() {
  if [ -n "$backup" ] && [ -f "$backup" ]; then
    cp -p "$backup" "$target_file"
    touch "$target_file"
    rm -f "$backup"
    backup=""
  fi
}
trap 'restore; exit 130' INT TERM
trap restore EXIT

# Applies one mutant; prints how many lines matched.
apply() {
  python3 - "$1" "$2" "$3" <<'PY'
import sys
path, old, new = sys.argv[1], sys.argv[2], sys.argv[3]
with open(path, encoding='utf-8') as f:
    lines = f.readlines()
def hit(line):
    return line.startswith(old) if old.startswith(' ') else old in line
idx = [i for i, l in enumerate(lines) if hit(l)]
print(len(idx))
if len(idx) == 1:
    i = idx[0]
    lines[i] = lines[i].replace(old, new, 1)
    with open(path, 'w', encoding='utf-8') as f:
        f.writelines(lines)
PY
}

tried=0; caught=0; survived=(); skipped=()
while IFS='|' read -r name file old new tests; do
  [ -z "$name" ] && continue
  [[ "$name" =~ $only ]] || continue
  target_file="$here/$file"
  backup=$(mktemp)
  cp -p "$target_file" "$backup"
  n=$(apply "$target_file" "$old" "$new")
  if [ "$n" != 1 ]; then
    echo "SKIP     $name: the fragment matches $n lines of $file"
    skipped+=("$name")
    restore
    continue
  fi
  tried=$((tried + 1))
  targets=()
  IFS=',' read -ra progs <<<"$tests"
  for t in "${progs[@]}"; do targets+=("test_$t"); done
  verdict=""
  if ! cmake --build "$build" --target "${targets[@]}" >/tmp/mutant-build.$$ 2>&1; then
    verdict="caught (does not build)"
  else
    for t in "${progs[@]}"; do
      if ! timeout 300 "$build/tests/test_$t" --gtest_brief=1 "--gtest_filter=${filter[$t]}" \
          >/tmp/mutant-run.$$ 2>&1; then
        verdict="caught by test_$t: $(grep -m1 -o '\[  FAILED  \] [A-Za-z0-9_./]*' /tmp/mutant-run.$$ | sed 's/\[  FAILED  \] //')"
        break
      fi
    done
  fi
  restore
  if [ -n "$verdict" ]; then
    caught=$((caught + 1))
    echo "CAUGHT   $name: $verdict"
  else
    survived+=("$name")
    echo "SURVIVED $name ($file: $old -> $new)"
  fi
done <<<"$mutants"
rm -f /tmp/mutant-build.$$ /tmp/mutant-run.$$

# Put the objects of the original sources back.
cmake --build "$build" --target test_layout test_catalogue >/dev/null 2>&1 || true
echo "mutants tried: $tried, caught: $caught, survived: ${#survived[@]}${skipped:+, not applicable: ${#skipped[@]}}"
[ "${#survived[@]}" -gt 0 ] && echo "survivors: ${survived[*]}"
[ "${#survived[@]}" -eq 0 ]
