#!/usr/bin/env bash
# Mutation check for the layout engine, the document file and its records,
# the web page and the undo history and recovery copies: applies one
# small change at a time (an operator, a constant, a swapped font), rebuilds
# only the test programs that cover the changed file, runs them and reports
# the changes that no test notices ("survivors"). The source file is put
# back after every change, also when the script is interrupted.
# usage: scripts/mutants.sh [BUILD_DIR] [NAME_REGEX]
#   BUILD_DIR   an already configured and built tree (default build); a tree
#               configured with -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS=-O0
#               rebuilds a mutant fastest
#   NAME_REGEX  run only the mutants whose name matches (default all)
# MUTANT_TIMEOUT (seconds, default 600) bounds one run of a test program; a
# mutant whose tests run longer is reported as timed out, neither caught nor
# survived. The test programs stop at their first failure.
# Prints one line per mutant and a summary; exits 0 when every applied
# mutant was caught, 1 otherwise. Run it with `nice` on a shared machine.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
build=${1:-build}
only=${2:-.}
limit=${MUTANT_TIMEOUT:-600} # seconds for one test program
export QT_QPA_PLATFORM=offscreen

# name | file | the line fragment to change | its replacement | test programs
# A fragment that begins with spaces must start its line (indentation
# tells apart repeated statements); it must pick out exactly one line, or
# the optional sixth field says which of the lines it matches (1 = first).
# A bar inside a fragment is written \|. A test program is named by its
# folder, optionally with the tests to run: app=Undo.*:Recovery.* (all of
# them otherwise).
# The slow comparisons of a program run after its other tests, so that most
# mutants are caught before them.
declare -A slow=([layout]='EarlyStop.*')
mutants=$(cat <<'EOF'
reserve-desc|layout/cardlayout.cpp|reserve = 3 * hN;|reserve = 2 * hN;|layout
final-desc|layout/cardlayout.cpp|finalAdvance = 2 * hN;|finalAdvance = 1.5 * hN;|layout
reserve-plain|layout/cardlayout.cpp|reserve = finalAdvance = 1.5 * hN;|reserve = finalAdvance = 1 * hN;|layout
break-test-plain|layout/cardlayout.cpp|y_ + reserve + nameRowsMM > bottom_;|y_ + 1.5 * hN + nameRowsMM > bottom_;|layout
break-test-final|layout/cardlayout.cpp|y_ + reserve + nameRowsMM > bottom_;|y_ + finalAdvance + nameRowsMM > bottom_;|layout
category-fit|layout/cardlayout.cpp|if (y_ + 2 * itemReserve_ + sizeRow + moreCaptionRows > bottom_)|if (y_ + itemReserve_ + sizeRow + moreCaptionRows > bottom_)|layout
newpage-first|layout/cardlayout.cpp|else if (s_.NewPageForKatCheck && i > 0)|else if (s_.NewPageForKatCheck)|layout
desc-start|layout/cardlayout.cpp|y_ += 1.5 * hN;|y_ += 2 * hN;|layout
desc-row-hN|layout/cardlayout.cpp|const double hD = lineHeight();|const double hD = hN;|layout
desc-back-hN|layout/cardlayout.cpp|y_ -= hD;|y_ -= hN;|layout
desc-break-top|layout/cardlayout.cpp|y_ = s_.ObenEd + headerBand_ + rowAdvance;|y_ = s_.ObenEd + headerBand_;|layout
freetext-font|layout/cardlayout.cpp|    prepare(FreeTextFont);|    prepare(DescriptionFont);|layout
freetext-after|layout/cardlayout.cpp|y_ += 0.5 * hF;|y_ += 1.0 * hF;|layout
category-end-font|layout/cardlayout.cpp|        y_ += lineHeight();|        prepare(CategoryFont); y_ += lineHeight();|layout
footer-band|layout/cardlayout.cpp|footerBand_ = (rows + 1) * lineHeight();|footerBand_ = rows * lineHeight();|layout
header-band|layout/cardlayout.cpp|headerBand_ = (rows + 1) * lineHeight();|headerBand_ = (rows + 2) * lineHeight();|layout
bottom-no-footer|layout/cardlayout.cpp|bottom_ = heightmm_ - s_.UntenEd - footerBand_ - legendBand_;|bottom_ = heightmm_ - s_.UntenEd - legendBand_;|layout
desc-wrap-width|layout/cardlayout.cpp|const double width = priceLeft - x_ - numColMM_;|const double width = priceLeft - x_;|layout
desc-left|layout/cardlayout.cpp|paintRows(description, width, x_ + numColMM_, hD);|paintRows(description, width, x_, hD);|layout
free-wrap-pricecol|layout/cardlayout.cpp|const double width = widthmm_ - s_.RechtsEd - priceColMM_ - x_;|const double width = widthmm_ - s_.RechtsEd - x_;|layout
free-wrap-margin|layout/cardlayout.cpp|const double width = widthmm_ - s_.RechtsEd - priceColMM_ - x_;|const double width = widthmm_ - priceColMM_ - x_;|layout
numcol-px|layout/cardlayout.cpp|numColPx_ = std::max(numColPx_, c_.textWidth(label));|numColPx_ = std::max(numColPx_, pos(TextWidthMM(label)));|layout
pricecol-px|layout/cardlayout.cpp|c_.textOut(width_ - rm_ - priceColPx_ - c_.textWidth(quantity.toString()), top, quantity.toString());|c_.textOut(width_ - rm_ - pos(priceColMM_) - c_.textWidth(quantity.toString()), top, quantity.toString());|layout
font-round|layout/cardlayout.cpp|double zs = std::trunc(double(f.size) * Z_ / 100.0);|double zs = std::round(double(f.size) * Z_ / 100.0);|layout
leader-from-name|layout/cardlayout.cpp|LeaderDots(LayoutMeasure(*meas_), priceLeft - start)|LeaderDots(LayoutMeasure(*meas_), priceLeft - nameEnd)|layout
leader-start|layout/cardlayout.cpp|const double start = nameEnd + d;|const double start = nameEnd;|layout
name-space|layout/cardlayout.cpp|(long long)meas_->width(lastRow) + meas_->width(u" ")|(long long)meas_->width(lastRow)|layout
price-left-qty|layout/cardlayout.cpp|priceLeft = widthmm_ - s_.RechtsEd - priceColMM_ - TextWidthMM(quantity);|priceLeft = widthmm_ - s_.RechtsEd - priceColMM_;|layout
onreq-left-qty|layout/cardlayout.cpp|priceLeft = widthmm_ - s_.RechtsEd - TextWidthMM(onReq) - TextWidthMM(quantity);|priceLeft = widthmm_ - s_.RechtsEd - TextWidthMM(onReq);|layout
heading-page1|layout/cardlayout.cpp|if (!s_.CaptionEd.isEmpty()) {|if (!s_.CaptionEd.isEmpty() && req_ == 1) {|layout
heading-font|layout/cardlayout.cpp|    prepare(HeadingFont);|    prepare(CategoryFont);|layout
category-font|layout/cardlayout.cpp|        prepare(CategoryFont);|        prepare(HeadingFont);|layout|3
number-font|layout/cardlayout.cpp|    prepare(NumberFont);|    prepare(DescriptionFont);|layout
numcol-font|layout/cardlayout.cpp|            prepare(NumberFont);|            prepare(PriceFont);|layout|2
price-font|layout/cardlayout.cpp|    prepare(PriceFont);|    prepare(NumberFont);|layout|1
pricecol-font|layout/cardlayout.cpp|            prepare(PriceFont);|            prepare(NumberFont);|layout|2
leader-font|layout/cardlayout.cpp|    prepare(LeaderFont);|    prepare(PriceFont);|layout
desc-font|layout/cardlayout.cpp|    prepare(DescriptionFont);|    prepare(NumberFont);|layout
footer-font|layout/cardlayout.cpp|        prepare(FooterFont);|        prepare(HeaderFont);|layout|1
header-font|layout/cardlayout.cpp|        prepare(HeaderFont);|        prepare(FooterFont);|layout
footer-top|layout/cardlayout.cpp|height_ - bm_ - (rows - r) * h|height_ - bm_ - (rows - r - 1) * h|layout
measure-restore|layout/cardlayout.cpp|meas_ = savedMeas;|(void)savedMeas;|layout
category-centre|layout/cardlayout.cpp|left = (width_ - c_.textWidth(t)) / 2;|left = ((width_ - lm_ - rm_ - c_.textWidth(t)) / 2) + lm_;|layout
name-after-col|layout/cardlayout.cpp|paintName(pos(x_) + numColPx_);|paintName(pos(x_ + numColMM_));|layout
margin-round|layout/cardlayout.cpp|clampToInt(std::trunc(mm / kMmPerInch|clampToInt(std::round(mm / kMmPerInch|layout
pricecol-spaces|layout/cardlayout.cpp|QStringLiteral("    ") + PriceAmount(p.price, s_.NoKommaCheck)|PriceAmount(p.price, s_.NoKommaCheck)|layout
free-text-kind|layout/cardlayout.cpp|if (p.price >= 0)|if (p.price > 0)|layout
frame-pen-zoom|layout/cardlayout.cpp|std::trunc(double(Z_) * dpi_ / kMmPerInch / 100.0)|std::trunc(100.0 * dpi_ / kMmPerInch / 100.0)|layout
leader-dots-edge|layout/cardlayout.cpp|MeasuredPxToMM((n + 1) * a) <= availableMM|MeasuredPxToMM((n + 1) * a) < availableMM|layout
print-zoom|layout/cardoutput.cpp|c.zoom = 100; // sizes and positions at the same zoom|// c.zoom = 100;|layout
preview-height-zoom|layout/cardoutput.cpp|g.H = int(std::trunc(double(qint64(area.heightPx) * screenDpi) / area.dpi * zoom / 100.0));|g.H = int(std::trunc(double(qint64(area.heightPx) * screenDpi) / area.dpi * 100 / 100.0));|layout
doc-face-length|catalogue/document.cpp|uint8_t(f.face.size() & 0xFF)|uint8_t(f.face.size() & 0x7F)|catalogue,app=DocumentLifecycle.*:CommandLine.*
doc-font-size|catalogue/document.cpp|w.writeInt32(f.size);|w.writeInt32(f.pixelsPerInch);|catalogue,app=DocumentLifecycle.*:CommandLine.*
doc-bool|catalogue/document.cpp|b = v != 0;|b = v == 1;|catalogue,app=DocumentLifecycle.*:CommandLine.*
doc-group-a|catalogue/document.cpp|            d.hasGroupA = true;|            d.hasGroupA = false;|catalogue,app=DocumentLifecycle.*:CommandLine.*
doc-price-float|catalogue/document.cpp|w.writeFloat64(r->price);|w.writeFloat64(float(r->price));|catalogue,app=DocumentLifecycle.*:CommandLine.*
doc-text-endian|catalogue/document.cpp|d[i] = QChar(qFromLittleEndian<quint16>(|d[i] = QChar(qFromBigEndian<quint16>(|catalogue,app=DocumentLifecycle.*:CommandLine.*
cp-pair-tens|layout/columnpass.cpp|pair_[i] = digit[i / 10];|pair_[i] = digit[i % 10];|layout
cp-label-minus|layout/columnpass.cpp|w += minus_;|(void)minus_;|layout
cp-cents-exact|layout/columnpass.cpp|if (double(k) == cents \|\| double(k) / 100 == price) {|if (true) {|layout
cp-cents-digits|layout/columnpass.cpp|                if (!noKomma_) {|                if (noKomma_) {|layout
cp-fits-surface|layout/columnpass.cpp|return bound_[e].n <= widest.n && bound_[e].s <= widest.s;|return bound_[e].n <= widest.n;|layout
cp-skip-used|layout/columnpass.cpp|if (used == usedSorted.size() \|\| usedSorted[used] != counter)|if (true)|layout
cp-onrequest-price|layout/columnpass.cpp|            if (p.price > 0) {|            if (p.price >= 0) {|layout
cm-freetext|layout/cardmarks.cpp|->price >= 0)|->price > 0)|layout
cm-size-round|layout/cardmarks.cpp|int32_t(std::lround(double(numberFont.size)|int32_t(std::trunc(double(numberFont.size)|layout
cm-empty|layout/cardmarks.cpp|if (used.isEmpty())|if (false)|layout
cm-check|layout/cardmarks.cpp|if (cat && s.marks.MarksCheck)|if (cat)|layout
qr-quiet|layout/cardqr.cpp|const int n = qr.size + 2 * kQrQuietZone;|const int n = qr.size + kQrQuietZone;|layout
qr-row-bottom|layout/cardqr.cpp|edge(y + kQrQuietZone + 1)|edge(y + kQrQuietZone + 2)|layout
qr-run-end|layout/cardqr.cpp|edge(end + kQrQuietZone)|edge(end + kQrQuietZone - 1)|layout
qr-light|layout/cardqr.cpp|canvas.fillRect(QRect(box.left(), box.top(), side, side), light);|(void)light;|layout
pc-onrequest|layout/pagecount.cpp|&& onRequest == onRequest_)|)|layout
pc-height|layout/pagecount.cpp|area.widthPx == area_.widthPx && area.heightPx == area_.heightPx|area.widthPx == area_.widthPx|layout
pc-valid|layout/pagecount.cpp|if (valid_ && area.widthPx|if (area.widthPx|layout
pf-border|layout/previewfit.cpp|constexpr int border = 16;|constexpr int border = 0;|layout
pf-scrollbar|layout/previewfit.cpp|tall ? visible.width() - scrollBarWidth : visible.width()|visible.width() - scrollBarWidth|layout
pf-top-step|layout/previewfit.cpp|for (int z = kMaxZoom; z > kMinZoom|for (int z = kMaxZoom - kZoomStep; z > kMinZoom|layout
mr-place-bound|catalogue/markrecords.cpp|if (place > uint8_t(LegendPlace::EveryPage)) {|if (place > uint8_t(LegendPlace::EveryPage) + 1) {|catalogue
mr-allergen-mask|catalogue/markrecords.cpp|m.allergens = ReadUInt16(r) & kAllAllergens;|m.allergens = ReadUInt16(r);|catalogue
mr-number-zero|catalogue/markrecords.cpp|if (number == 0) {|if (false) {|catalogue
mr-product-bound|catalogue/markrecords.cpp|uint32_t(p) >= cat.products(c)->count|uint32_t(p) > cat.products(c)->count|catalogue
mr-settings-default|catalogue/markrecords.cpp|if (m.MarksCheck == defaults.MarksCheck && m.LegendPos == defaults.LegendPos)|if (m.MarksCheck == defaults.MarksCheck)|catalogue
mr-additive-count|catalogue/markrecords.cpp|WriteUInt16(entries, uint16_t(numbers.size()));|WriteUInt16(entries, uint16_t(numbers.size() + 1));|catalogue
qrr-default-size|catalogue/qrrecords.cpp|&& s.QrGroesseEd == defaults.QrGroesseEd)|)|catalogue
qrr-print|catalogue/qrrecords.cpp|w.writeByte(s.QrDruckCheck ? 1 : 0);|w.writeByte(1);|catalogue
qrr-size-zero|catalogue/qrrecords.cpp|if (!std::isfinite(size) \|\| size <= 0) {|if (!std::isfinite(size) \|\| size < 0) {|catalogue
qrr-clamp|catalogue/qrrecords.cpp|s.QrGroesseEd = std::clamp(size, kQrMinMM, kQrMaxMM);|s.QrGroesseEd = size;|catalogue
qrr-size-float|catalogue/qrrecords.cpp|w.writeFloat64(s.QrGroesseEd);|w.writeFloat64(float(s.QrGroesseEd));|catalogue
ext-u16-high|catalogue/extension.cpp|return uint16_t(lo \| (hi << 8));|return uint16_t(lo \| (hi << 7));|catalogue
ext-record-header|catalogue/extension.cpp|constexpr qsizetype kRecordHeader = 2 + 4;|constexpr qsizetype kRecordHeader = 2 + 2;|catalogue
ext-group-length|catalogue/extension.cpp|if (qint64(length) > qint64(left - 8))|if (qint64(length) > qint64(left))|catalogue
ext-record-length|catalogue/extension.cpp|if (qint64(n) > qint64(groupEnd - at - kRecordHeader))|if (qint64(n) > qint64(groupEnd - at))|catalogue
ext-extra-bytes|catalogue/extension.cpp|!r.ok() \|\| !r.atEnd()) {|!r.ok()) {|catalogue
ext-unknown-kept|catalogue/extension.cpp|unknown.append(rec);|(void)rec;|catalogue
he-lang-last|export/htmlexport.cpp|if (language >= 0 && language < 5)|if (language >= 0 && language < 4)|export,app=WebCommands.*
he-apostrophe|export/htmlexport.cpp|case '\'': out += QLatin1String("&#39;"); break;|case '\'': out += c; break;|export
he-noncharacter|export/htmlexport.cpp|if ((cp & 0xFFFE) != 0xFFFE) {|if (true) {|export
he-c1-controls|export/htmlexport.cpp|if (u < 0x20 \|\| (u >= 0x7F && u < 0xA0)|if (u < 0x20 \|\| (u >= 0x80 && u < 0xA0)|export
he-heading-tag|export/htmlexport.cpp|s.CaptionEd.isEmpty() ? QStringLiteral("h1") : QStringLiteral("h2");|QStringLiteral("h2");|export
he-on-request|export/htmlexport.cpp|const QString price = p.price == 0 ? onRequest|const QString price = p.price < 0 ? onRequest|export
he-no-points|export/htmlexport.cpp|h += s.NoPointsCheck ? QStringLiteral|h += false ? QStringLiteral|export
he-bold|export/htmlexport.cpp|(f.style & FontSetting::Bold) ?|(f.style & FontSetting::Italic) ?|export
he-legend|export/htmlexport.cpp|if (marks.active() && !marks.legend().isEmpty())|if (false)|export
trh-switch-only|export/htmlexport.cpp|if (s.ZweisprachigCheck \|\| !s.translation.isEmpty())|if (!s.translation.isEmpty())|export=HtmlExport.*
trh-every-card|export/htmlexport.cpp|settings << doc.cards.settingsOf(i, doc.settings);|settings << doc.settings;|export=HtmlExport.*
trh-additive-spaces|export/htmlexport.cpp|            if (IsTranslated(t))|            if (!t.isEmpty())|export=HtmlExport.*
trh-marked-german|export/htmlexport.cpp|return html.isEmpty() ? html : QStringLiteral("<span lang=\"de\">")|return html.isEmpty() ? html : QStringLiteral("<span>")|export=HtmlExport.*
trh-dish-name|export/htmlexport.cpp|+ (pname.isEmpty() ? QStringLiteral("&nbsp;") : pl.text(pname, tr.name));|+ (pname.isEmpty() ? QStringLiteral("&nbsp;") : pl.text(pname, QString()));|export=HtmlExport.*
trh-table-columns|export/htmlexport.cpp|for (int32_t c = 0; c < 5; ++c)|for (int32_t c = 0; c < 4; ++c)|export=HtmlExport.*
trh-word-marked|export/htmlexport.cpp|*german = column != 0 && (column < 0 \|\| t == germanWord);|*german = column < 0;|export=HtmlExport.*
trh-path-folder|export/htmlexport.cpp|if (dot > slash + 1)|if (dot > 0)|export=HtmlExport.*
trh-restore-old|export/htmlexport.cpp|                WriteHtmlFile(files.at(k).path, before.at(k).data, nullptr);|                (void)0;|export=HtmlExport.*
trh-german-last|export/htmlexport.cpp|for (int i = int(files.size()) - 1; i >= 0; --i) {|for (int i = 0; i < int(files.size()); ++i) {|export=HtmlExport.*
trh-href-encoded|export/htmlexport.cpp|return HtmlEscape(QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(p).fileName())));|return HtmlEscape(QFileInfo(p).fileName());|export=HtmlExport.*
trh-title|export/htmlexport.cpp|return pl.second && IsTranslated(s.translation.heading) ? s.translation.heading : s.CaptionEd;|return s.CaptionEd;|export=HtmlExport.*
trh-date-locale|export/htmlexport.cpp|return HtmlEscape(locale.toString(d, QLocale::LongFormat));|return HtmlEscape(DateLineText(s, today));|export=HtmlExport.*
trh-french-colon|export/htmlexport.cpp|? QStringLiteral("\u00A0: ")|? QStringLiteral(": ")|export=HtmlExport.*
trh-status-both|app/MainWeb.cpp|    if (pages.size() == 1)|    if (true)|app=WebCommands.*
trh-web-missing|app/commandline.cpp|    const QString missing = bilingual ? MissingTranslationsNote(MissingWebTranslations(cards)) : QString();|    const QString missing;|ship=CommandLineRun.ATranslated*
trh-ask-second|app/MainWeb.cpp|               != QMessageBox::Yes)|               == QMessageBox::Yes)|app=WebCommands.*
uh-sealed|app/undohistory.cpp|if (sealed_ \|\| other->id() != key_)|if (other->id() != key_)|app=Undo.*
uh-obsolete|app/undohistory.cpp|setObsolete(after_ == before_);|setObsolete(false);|app=Undo.*
uh-limit|app/undohistory.cpp|stack_->setUndoLimit(kStepLimit);|(void)kStepLimit;|app=Undo.*
uh-unchanged|app/undohistory.cpp|if (now == current_ \|\| now.isEmpty()) {|if (now.isEmpty()) {|app=Undo.*
uh-in-step|app/undohistory.cpp|if (restoring() \|\| inStep_ > 0)|if (restoring())|app=Undo.*
uh-redo-selection|app/undohistory.cpp|before ? selBefore_ : selAfter_);|selBefore_);|app=Undo.*
rc-older|app/recovery.cpp|c.documentWritten = doc.lastModified();|(void)doc;|app=Recovery.*
rc-busy|app/recovery.cpp|if (lock->tryLock(0)) {|if (true) {|app=Recovery.*
rc-retry|app/recovery.cpp|if (!writeNow() && modified_)|if (false)|app=Recovery.*
rc-origin|app/recovery.cpp|WriteFileAtomically(origin, document_.toUtf8(),|WriteFileAtomically(origin, QByteArray(),|app=Recovery.*
rc-saved-discards|app/recovery.cpp|    if (!modified) {|    if (false) {|app=Recovery.*
prf-step-up|catalogue/pricechange.cpp|return ceilTo(units, step);|return std::floor(units / step + 0.5) * step;|catalogue=PriceChange.*,app=SizesEditing.*
prf-step-down|catalogue/pricechange.cpp|return floorTo(units, step);|return std::floor(units / step + 0.5) * step;|catalogue=PriceChange.*,app=SizesEditing.*
prf-step-nearest|catalogue/pricechange.cpp|return std::floor(units / step + 0.5) * step;|return ceilTo(units, step);|catalogue=PriceChange.*,app=SizesEditing.*
prf-step-size|catalogue/pricechange.cpp|roundToStep(units, 50 * kUnitsPerCent, direction)|roundToStep(units, 10 * kUnitsPerCent, direction)|catalogue=PriceChange.*,app=SizesEditing.*
prf-direction|catalogue/pricechange.cpp|const int direction = rule.amount > 0 ? 1 : rule.amount < 0 ? -1 : 0;|const int direction = rule.amount > 0 ? 1 : 0;|catalogue=PriceChange.*,app=SizesEditing.*
prf-end-raise|catalogue/pricechange.cpp|        return above;|        return below;|catalogue=PriceChange.*,app=SizesEditing.*
prf-end-direction|catalogue/pricechange.cpp|roundToEnding(units, 90 * kUnitsPerCent, direction)|roundToEnding(units, 90 * kUnitsPerCent, 0)|catalogue=PriceChange.*,app=SizesEditing.*
prf-end-ending|catalogue/pricechange.cpp|roundToEnding(units, 50 * kUnitsPerCent, direction)|roundToEnding(units, 90 * kUnitsPerCent, direction)|catalogue=PriceChange.*,app=SizesEditing.*
prf-cent-at-zero|catalogue/pricechange.cpp|if (direction == 0 && rule.rounding == PriceRounding::Cent)|if (false)|catalogue=PriceChange.*,app=SizesEditing.*
prf-against|catalogue/pricechange.cpp|if ((direction > 0 && result < price) \|\| (direction < 0 && result > price))|if (false)|catalogue=PriceChange.*,app=SizesEditing.*
prf-zero-kept|catalogue/pricechange.cpp|if (!(result > 0) \|\| !std::isfinite(result)) {|if (!(result >= 0) \|\| !std::isfinite(result)) {|catalogue=PriceChange.*,app=SizesEditing.*
prf-kept-listed|catalogue/pricechange.cpp|if (after != before \|\| notAPrice)|if (after != before)|catalogue=PriceChange.*,app=SizesEditing.*
prf-kept-shown|dialogs/PriceChangeDialog.cpp|it->setText(AfterCol, c.keptAtZero ? unchanged : FormatPrice2(c.after, dp));|it->setText(AfterCol, FormatPrice2(c.after, dp));|app=SizesEditing.*
prf-field-shows|dialogs/PriceChangeDialog.cpp|connect(AmountEd->findChild<QLineEdit *>(), &QLineEdit::textChanged, this, [this] { update(); });|connect(AmountEd, &QDoubleSpinBox::valueChanged, this, [this] { update(); });|app=SizesEditing.*
prf-unreadable-list|dialogs/PriceChangeDialog.cpp|    if (!AmountEd->readable()) {|    if (false) {|app=SizesEditing.*
prf-accept-check|dialogs/PriceChangeDialog.cpp|if (!TFloatEdit::checkFields(this)) {|if (false) {|app=SizesEditing.*
prf-ticked|dialogs/PriceChangeDialog.cpp|it->setCheckState(category < 0 \|\| c == category ? Qt::Checked : Qt::Unchecked);|it->setCheckState(Qt::Checked);|app=SizesEditing.*
prf-keep-editing|app/recovery.cpp|    if (!timer_->isActive())|    if (true)|app=Recovery.*
prf-copy-once|app/recovery.cpp|    if (!timer_->isActive())|    if (!timer_->isActive() && written_.isEmpty())|app=Recovery.*
prf-copy-follows|app/recovery.cpp|if (bytes == written_ && lock_ && QFileInfo::exists(copy_))|if (lock_ && QFileInfo::exists(copy_))|app=Recovery.*
prf-copy-private|app/recovery.cpp|WriteFileAtomically(copy_, bytes, nullptr, false, /*ownerOnly=*/true)|WriteFileAtomically(copy_, bytes, nullptr, false)|app=Recovery.*
prf-origin-private|app/recovery.cpp|WriteFileAtomically(origin, document_.toUtf8(), nullptr, false, /*ownerOnly=*/true)|WriteFileAtomically(origin, document_.toUtf8(), nullptr, false)|app=Recovery.*
prf-start-closes|app/recovery.cpp|    restrictFolder();|    (void)0;|app=Recovery.*
prf-restrict-bits|catalogue/platform/linux.cpp|QFile::setPermissions(path, now & owner);|QFile::setPermissions(path, now \| owner);|app=Recovery.*
prf-umask-open|catalogue/platform/linux.cpp|ownerOnly ? own : all);|own);|catalogue=AtomicWrite.*,app=Recovery.*
prf-private-open|catalogue/platform/linux.cpp|ownerOnly ? own : all);|all);|catalogue=AtomicWrite.*,app=Recovery.*
prf-keep-perms|catalogue/brastel.cpp|if (target.exists() && !ownerOnly)|if (target.exists())|catalogue=AtomicWrite.*,app=Recovery.*
png-page|app/commandline.cpp|[&](int p) { return RenderCardPage(card, area, o.dpi, p); }|[&](int p) { return RenderCardPage(card, area, o.dpi, 1); }|ship=CommandLineRun.PngPagesAndOnePage

wc-esc-control|app/commandline.cpp|        case QChar::Other_Control:|        case QChar::Other_Surrogate:|ship=CommandLine*
wc-esc-format|app/commandline.cpp|        case QChar::Other_Format:|        case QChar::Other_PrivateUse:|ship=CommandLine*
wc-esc-latin1|app/commandline.cpp|if (c < 0x100)|if (c < 0x80)|ship=CommandLine*
wc-esc-pairs|app/commandline.cpp|if (it->isHighSurrogate() && it + 1 != s.end() && (it + 1)->isLowSurrogate()) {|if (false) {|ship=CommandLine*
wc-esc-file|app/commandline.cpp|return TerminalText(QDir::toNativeSeparators(path));|return QDir::toNativeSeparators(path);|ship=CommandLine*
wc-esc-picture|app/commandline.cpp|PictureProblemText(TerminalText(settings.FilenameEdit2), texture.Problem())|PictureProblemText(settings.FilenameEdit2, texture.Problem())|ship=CommandLine*
wc-esc-line|app/commandline.cpp|return TerminalText(t).simplified();|return t.simplified();|ship=CommandLine*
wc-paper-default|app/commandline.cpp|page.size = o.pageSizeGiven \|\| !ownPaper ? o.pageSize : CardPaperName(paper);|page.size = o.pageSizeGiven ? o.pageSize : CardPaperName(paper);|ship=CommandLine*
wc-paper-size|app/commandline.cpp|page.size = o.pageSizeGiven \|\| !ownPaper ? o.pageSize : CardPaperName(paper);|page.size = !ownPaper ? o.pageSize : CardPaperName(paper);|ship=CommandLine*
wc-paper-turn|app/commandline.cpp|page.landscape = o.landscape \|\| (ownPaper && paperLandscape);|page.landscape = o.landscape;|ship=CommandLine*
wc-paper-own-turn|app/commandline.cpp|page.landscape = o.landscape \|\| (ownPaper && paperLandscape);|page.landscape = o.landscape \|\| paperLandscape;|ship=CommandLine*
wc-paper-given|app/commandline.cpp|o.pageSizeGiven = true;|(void)0;|ship=CommandLine*
wc-paper-landscape-size|app/commandline.cpp|        o.landscape = true;|        o.landscape = o.pageSizeGiven = true;|ship=CommandLine*

print-range|layout/cardoutput.cpp|paintPages(card, painter, printer, area, fromPage, toPage);|paintPages(card, painter, printer, area, fromPage - 1, toPage - 1);|layout=CardOutput.*,app=PreviewPrinting.*
qr-svg-run|export/qrcode.cpp|+ QByteArray::number(end - x) + "v1h-"|+ QByteArray::number(end - x + 1) + "v1h-"|export
csv-marks-titles|export/csvexport.cpp|header << TranslateStr(QStringLiteral("Allergene"))|header << QStringLiteral("Allergene")|app=ShippedTranslations.GermanColumnIsExactlyTheProgramsTexts
sl-any-size-price|layout/cardtext.cpp|for (double v : cat.sizePrices(category, row))|for (double v : cat.sizePrices(category, row).mid(0, 1))|layout,export|1
sl-heads-fit|layout/cardlayout.cpp|if (besideCaption && captionEnd + TextWidthMM(u" ") <= leftmost)|if (true)|layout
sl-heads-gap|layout/cardlayout.cpp|if (besideCaption && captionEnd + TextWidthMM(u" ") <= leftmost)|if (besideCaption && captionEnd <= leftmost)|layout
sl-heads-centre|layout/cardlayout.cpp|s_.CenterKatCheck ? (widthmm_ + captionMM) / 2 : x_ + captionMM;|x_ + captionMM;|layout
sl-heads-columns|layout/cardlayout.cpp|right -= sizeColMM_[size_t(k)];|(void)right;|layout|2
sl-row-break|layout/cardlayout.cpp|if (y_ + 2 * itemReserve_ + sizeRow + moreCaptionRows > bottom_)|if (y_ + 2 * itemReserve_ + moreCaptionRows > bottom_)|layout
sl-row-advance|layout/cardlayout.cpp|            y_ += sizeRow;|            y_ += 0;|layout
sl-row-height|layout/cardlayout.cpp|const double block = 1.5 * lineHeight();|const double block = 2 * lineHeight();|layout
sl-row-twice|layout/cardlayout.cpp|if (!sizeHeads_.isEmpty() && sizeRow == 0 && shown()) {|if (!sizeHeads_.isEmpty() && shown()) {|layout
sl-row-paint|layout/cardlayout.cpp|paintSizeHeadings(y_);|;|layout|3
sl-col-price|layout/cardlayout.cpp|rightPx -= sizeColPx_[size_t(k)];|rightPx -= sizeColPx_[0];|layout|1
sl-col-heading|layout/cardlayout.cpp|rightPx -= sizeColPx_[size_t(k)];|rightPx -= sizeColPx_[0];|layout|2
sl-col-measure|layout/cardlayout.cpp|widen(k, texts.at(k));|widen(k, sizeHeads_.at(k));|layout
sl-col-block|layout/cardlayout.cpp|right -= sizeColMM_[size_t(k)];|(void)right;|layout|1
sl-continued-paint|layout/cardlayout.cpp|paintSizeHeadings(y_);|;|layout|1
sl-continued-row|layout/cardlayout.cpp|            y_ += sizeHeadingBlockMM();|            y_ += lineHeight();|layout
sl-name-wrap|layout/cardlayout.cpp|WrapLineEnds(LayoutMeasure(*meas_), name, room, nameEnds);|(void)room;|layout
sl-name-room|layout/cardlayout.cpp|const double room = blockLeft - nameLeft - MeasuredPxToMM|const double room = blockLeft - x_ - MeasuredPxToMM|layout
sl-name-last-row|layout/cardlayout.cpp|const int top = pos(y_ + nameRowsMM);|const int top = pos(y_);|layout
sl-name-advance|layout/cardlayout.cpp|    y_ += nameRowsMM + trRowsMM;|    y_ += trRowsMM;|layout
sl-name-keep|layout/cardlayout.cpp|y_ + reserve + nameRowsMM > bottom_;|y_ + reserve > bottom_;|layout
sl-freetext-reserve|layout/cardlayout.cpp|y_ += 0.5 * hF;|y_ += 0.5 * hF; itemReserve_ = 0.5 * hF;|layout
sl-web-heads|export/htmlexport.cpp|+ pl.text(headings.at(k), headingTranslations.value(k))|+ QString()|export
sl-web-rule|export/htmlexport.cpp|if (PrintsSizeColumns(cat, i, int(j))) {|if (p.price > 0) {|export
sl-web-prices|export/htmlexport.cpp|for (const QString &price : SizePriceTexts(cat, i, int(j), s))|for (const QString &price : SizePriceTexts(cat, i, int(j), s).mid(1))|export
sl-web-span|export/htmlexport.cpp|.arg(columns - 1) + onRequest|.arg(columns) + onRequest|export
rd-sz-write-flag|catalogue/sizerecords.cpp|entries.writeByte(firstEmpty ? kFirstSizeEmpty : 0);|entries.writeByte(0);|catalogue=SizesDocument.*
rd-sz-write-free|catalogue/sizerecords.cpp|            if (price < 0)|            if (false)|catalogue=SizesDocument.*
rd-sz-write-empty-price|catalogue/sizerecords.cpp|cat.firstSizeEmpty(c, int(p)) && price == 0;|cat.firstSizeEmpty(c, int(p));|catalogue=SizesDocument.*
rd-sz-write-sizes|catalogue/sizerecords.cpp|WriteUInt16(entries, uint16_t(h.size()));|WriteUInt16(entries, uint16_t(h.size() - 1));|catalogue=SizesDocument.*
rd-sz-read-flags|catalogue/sizerecords.cpp|if (flags & ~kFirstSizeEmpty) {|if (flags & 0x80) {|catalogue=SizesDocument.*
rd-sz-read-free|catalogue/sizerecords.cpp|if (price < 0 && (k > 0 \|\| (flags & kFirstSizeEmpty))) {|if (price < 0 && k > 0) {|catalogue=SizesDocument.*
rd-sz-read-empty-price|catalogue/sizerecords.cpp|if ((flags & kFirstSizeEmpty) && price != 0) {|if (false) {|catalogue=SizesDocument.*
rd-sz-read-product-twice|catalogue/sizerecords.cpp|if (listed.contains(key)) {|if (false) {|catalogue=SizesDocument.*
rd-sz-read-category-twice|catalogue/sizerecords.cpp|if (listed[size_t(c)]) {|if (false) {|catalogue=SizesDocument.*
rd-sz-read-once|catalogue/sizerecords.cpp|readHeadings, nullptr, true},|readHeadings, nullptr, false},|catalogue=SizesDocument.*
rd-sz-heading-clean|catalogue/catalogue.cpp|t = CleanAdditiveText(t);|t = t;|catalogue=SizesDocument.*
rd-mk-additive-check|catalogue/markrecords.cpp|if (!m.additives.isEmpty() && m.additives.last() > known) {|if (false) {|catalogue=MarksDocument.*
rd-ext-checks-run|catalogue/extension.cpp|if (seen.at(t) && type.check && !type.check(doc, &why))|if (false)|catalogue=MarksDocument.*
rd-csv-first-heading|export/csvexport.cpp|row << text(firstSold && p->price >= 0 ? headings.value(0) : QString());|row << text(headings.value(0));|export
rd-csv-empty-price|export/csvexport.cpp|row << (firstSold ? price(p->price) : CatalogueCell());|row << price(p->price);|export
rd-csv-marks-place|export/csvexport.cpp|const bool marks = sizes > 0 \|\| cat.hasMarks();|const bool marks = cat.hasMarks();|export
rd-csv-fields|export/csvexport.cpp|(sizes > 0 ? 2 * sizes - 1 : 0)|(sizes > 0 ? 2 * sizes - 2 : 0)|export
rd-csv-title-first|export/csvexport.cpp|header << TranslateStr(QStringLiteral("Größe %1")).arg(1);|(void)0;|export
rd-dyn-addmany-zero|catalogue/brastel.cpp|std::memset(static_cast<char *>(poi) + size_t(first) * size, 0, size_t(n) * size);|(void)first;|catalogue=DynaArrayTest.*
rd-dyn-addmany-fail|catalogue/brastel.cpp|        count = first;|        (void)first;|catalogue=DynaArrayTest.*
rd-dec-group-space|catalogue/decimalinput.cpp|return c.category() == QChar::Separator_Space;|return c.isSpace();|catalogue=DecimalInput.*
rd-dec-group-three|catalogue/decimalinput.cpp|: d.size() != 3)|: d.size() > 3)|catalogue=DecimalInput.*
rd-dec-group-first|catalogue/decimalinput.cpp|(d.size() > 3 \|\| d.front() == u'0')|(d.size() > 4 \|\| d.front() == u'0')|catalogue=DecimalInput.*
rd-dec-after-sign|catalogue/decimalinput.cpp|    while (!s.isEmpty() && isSpaceLike(s.front()))|    s = s.trimmed(); while (!s.isEmpty() && isSpaceLike(s.front()))|catalogue=DecimalInput.*|2
rd-dec-minus-zero|catalogue/decimalinput.cpp|return negative && v != 0 ? -v : v;|return negative ? -v : v;|catalogue=DecimalInput.*
sd-first-empty|dialogs/EditProduktFUnit.cpp|static_cast<TFloatEdit *>(PreisEd)->setEmptyAllowed(sizeCount_ > 0);|static_cast<TFloatEdit *>(PreisEd)->setEmptyAllowed(false);|dialogs=ProductDialogPrice.*
sd-empty-stored|dialogs/EditProduktFUnit.cpp|v.price = std::isnan(first) ? 0 : first;|v.price = PreisEd->value();|dialogs=ProductDialogPrice.*
sd-empty-free|dialogs/EditProduktFUnit.cpp|return !firstSizeEmpty() && PreisEd->value() < 0;|return PreisEd->value() < 0;|dialogs=ProductDialogPrice.*
sd-filled-price|dialogs/EditProduktFUnit.cpp|if (filled_.valid && k < filled_.priceTexts.size() && priceText(k) == filled_.priceTexts.at(k)) {|if (false) {|app=SizesEditing.*
sd-filled-desc|dialogs/EditProduktFUnit.cpp|if (f && d == filled_.description) {|if (false) {|app=SizesEditing.*
sd-filled-qty|dialogs/EditProduktFUnit.cpp|v.quantity = f && MengeEd->text() == filled_.quantity ? filled_.values.quantity : MengeEd->text();|v.quantity = MengeEd->text();|app=SizesEditing.*
sd-note-shown|dialogs/FloatEdit.cpp|            note->show();|            (void)note;|dialogs=ProductDialogPrice.*
sd-status-bar|dialogs/FloatEdit.cpp|            main->statusBar()->showMessage(why);|            (void)why;|dialogs=FloatEditField.*
sd-note-first|dialogs/FloatEdit.cpp|        firstBad->setMarked(true); // the note speaks of the field the focus goes to|        (void)0;|dialogs=ProductDialogPrice.*
sd-reason-empty|dialogs/FloatEdit.cpp|    if (specialValueText().isEmpty())|    if (true)|dialogs=ProductDialogPrice.*
sd-heading-given|dialogs/SizesDialog.cpp|return k < given.size() && t == given.at(k) ? given.at(k) : t.trimmed();|return t.trimmed();|app=SizesEditing.*
sd-additives-given|app/MarksGroup.cpp|    if (AdditivesMemo->toPlainText() == shown_)|    if (false)|app=SizesEditing.*
sd-drop-first|catalogue/sizeloss.cpp|for (qsizetype k = std::max<qsizetype>(1, kept); k < prices.size(); ++k)|for (qsizetype k = kept; k < prices.size(); ++k)|catalogue=Sizes.*
sd-drop-empty|catalogue/sizeloss.cpp|if (!std::isnan(prices.at(k)))|if (true)|catalogue=Sizes.*
sd-ask-sizes|app/MainPrices.cpp|    if (dropped > 0|    if (dropped > 99|app=SizesEditing.*
sd-ask-move|app/MainProducts.cpp|    if (dropped > 0|    if (dropped > 99|app=SizesEditing.*
sd-list-widths|app/productcolumns.cpp|- 75 * prices - cardsWidth));|- 75 - cardsWidth));|app=SizesEditing.*
sd-list-price-title|app/productcolumns.cpp|    if (sizes_.isEmpty())|    if (true)|app=SizesEditing.*|1
sd-list-title|app/productcolumns.cpp|h->setText(kFirstPriceColumn + k, sizes.isEmpty() ? priceHeader_ : sizes.at(k));|h->setText(kFirstPriceColumn + k, priceHeader_);|app=SizesEditing.*
sd-list-empty|app/productcolumns.cpp|: std::isnan(v) ? QStringLiteral("\u2013")|: std::isnan(v) ? FormatPrice2(v, decimalPoint)|app=SizesEditing.*
sd-new-empty|dialogs/EditProduktFUnit.cpp|        static_cast<TFloatEdit *>(PreisEd)->setEmpty();|        PreisEd->setValue(0);|dialogs=ProductDialogPrice.*
sd-free-sizes|dialogs/EditProduktFUnit.cpp|            if (!e->isEmpty()) {|            if (false) {|dialogs=ProductDialogPrice.*
sd-no-bounds|dialogs/FloatEdit.cpp|    if (maximum() >= kNoPracticalBound && lowestTyped() <= -kNoPracticalBound) {|    if (false) {|dialogs=ProductDialogPrice.*
dlg-box-shown|dialogs/memorybox.cpp|            box.exec();|            (void)box;|dialogs=OutOfMemoryBox.*
dlg-gui-thread|dialogs/memorybox.cpp|if (app && QThread::currentThread() == app->thread()) {|if (false) {|dialogs=OutOfMemoryBox.*
dp-slashes|catalogue/picturepath.cpp|&& (rules == PathRules::Windows \|\| path[0] == QLatin1Char('\\') \|\| path[1] == QLatin1Char('\\')))|&& (path[0] == QLatin1Char('\\') \|\| path[1] == QLatin1Char('\\')))|catalogue=PicturePath.*
dp-unclean|catalogue/picturepath.cpp|return !isUnixDeviceTree(cleanSlashPath(path), Qt::CaseSensitive);|return !isUnixDeviceTree(path, Qt::CaseSensitive);|catalogue=PicturePath.*
dp-no-links|catalogue/picturepath.cpp|return real.isEmpty() \|\| IsLocalPicturePath(real, rules);|return true;|catalogue=PicturePath.*
dp-unchecked|texture/texture.cpp|const bool check = !chosenInDialog && !fileName.isEmpty();|const bool check = !fileName.isEmpty() && false;|texture=TextureFiles.*
cd-view-whole|catalogue/cardview.cpp|    if (CarriesEverything(cat, card))|    if (card >= 0)|catalogue=Card*
cd-view-free|catalogue/cardview.cpp|if (p.price < 0 \|\| p.number != 0)|if (p.number != 0)|catalogue=Card*
cd-view-skip|catalogue/cardview.cpp|        if (rows.isEmpty())|        if (false)|catalogue=Card*
cd-offered|catalogue/cards.cpp|return card >= 0 && card < kMaxCards && cat.isOffered(category, row)|return card >= 0 && card < kMaxCards|catalogue=Card*
cd-remove-bit|catalogue/catalogue.cpp|s.cards = (s.cards & below) \| ((s.cards >> 1) & ~below);|s.cards = (s.cards & below) \| (s.cards & ~below);|catalogue=Card*
cd-name-case|catalogue/cards.cpp|compare(name.trimmed(), Qt::CaseInsensitive) == 0)|compare(name.trimmed(), Qt::CaseSensitive) == 0)|catalogue=Card*
cd-safe-dots|catalogue/cards.cpp|(s.front() == QLatin1Char(' ') \|\| s.front() == QLatin1Char('.'))|(s.front() == QLatin1Char(' '))|catalogue=Card*
cd-ascending|catalogue/cardrecords.cpp|        if (key <= previous) {|        if (key < previous) {|catalogue=Card*
cd-card-twice|catalogue/cardrecords.cpp|        if ((seen >> card) & 1u) {|        if (false) {|catalogue=Card*
cd-beyond|catalogue/cardrecords.cpp|    const uint64_t beyond = ~uint64_t(0) << cards;|    const uint64_t beyond = 0;|catalogue=Card*
cd-max-cards|catalogue/cardrecords.cpp|    if (n < 1 \|\| n > kMaxCards) {|    if (n < 1) {|catalogue=Card*
cd-date|catalogue/cardrecords.cpp|if (y < 1 \|\| y > 9999 \|\| !QDate::isValid(y, m, d)) {|if (y < 1 \|\| y > 9999) {|catalogue=Card*
cd-default-set|catalogue/cardrecords.cpp|    const bool byDefault = card == 0;|    const bool byDefault = false;|catalogue=Card*
cd-nested|catalogue/cardrecords.cpp|        cards[i].unknownRecords = unknown;|        (void)unknown;|catalogue=Card*
pf-booklet-back|layout/imposition.cpp|back.slot[0].page = bookletPage(2 + 2 * k, pages, padded);|back.slot[0].page = bookletPage(1 + 2 * k, pages, padded);|layout=Imposition.*
pf-booklet-pad|layout/imposition.cpp|const int padded = std::max(4, (pages + 3) / 4 * 4);|const int padded = std::max(4, (pages + 1) / 2 * 2);|layout=Imposition.*
pf-back-cover|layout/imposition.cpp|    if (pos == padded)|    if (pos == pages)|layout=Imposition.*
pf-tent-turn|layout/imposition.cpp|s.slot[0] = {1, stacked};|s.slot[0] = {1, false};|layout=Imposition.*
pf-fold-switch|layout/imposition.cpp|if (plan.form == PrintForm::TableTent && card.settings.FaltlinieCheck) {|if (plan.form == PrintForm::TableTent) {|layout=Imposition.*
pf-print-origin|layout/imposition.cpp|const QRect sheet = paper.translated(-page.topLeft());|const QRect sheet = page.translated(-page.topLeft());|layout=Imposition.*
pf-record-fold|catalogue/printformrecords.cpp|if (s.DruckformBox == defaults.DruckformBox && s.FaltlinieCheck == defaults.FaltlinieCheck)|if (s.DruckformBox == defaults.DruckformBox)|catalogue=PrintFormRecord.*
pf-logo-gap|layout/cardlayout.cpp|headerBand_ += logo.height() + kLogoGapMM;|headerBand_ += logo.height();|layout=CardLogo.*
pf-logo-every|layout/cardlayout.cpp|(page > 1 && !s.LogoJedeSeiteCheck)|(page > 2 && !s.LogoJedeSeiteCheck)|layout=CardLogo.*
pf-logo-room|layout/cardlayout.cpp|    if (w * ratio > roomH)|    if (false)|layout=CardLogo.*
pf-dark-share|texture/readability.cpp|const size_t k = size_t(std::floor(kDarkShare * double(l.size())));|const size_t k = 0;|texture=Readability.*
pf-least-lightening|texture/readability.cpp|for (int bb = s.LightenCheck ? std::min(b - 1, 100) : 100; bb >= 1; --bb) {|for (int bb = 1; bb <= 100; ++bb) {|texture=Readability.*
pf-large-round|catalogue/largeprint.cpp|f.size = int32_t(std::lround(f.size * kLargePrintFactor));|f.size = int32_t(f.size * kLargePrintFactor);|texture=Readability.*
cw-first-additives|app/MainCards.cpp|    s.marks.additives = MarksGroup->settings().additives;|    ;|app=CardsWindow.*
cw-switch-pause|app/MainCards.cpp|        const DocumentHistory::Pause pause(history);|        ;|app=CardsWindow.*:SizesEditing.*
cw-switch-store|app/MainCards.cpp|            cards[selectedCard].settings = cardSettings();|            ;|app=CardsWindow.*
cw-switch-load|app/MainCards.cpp|        d.settings = cards.settingsOf(i, first);|        d.settings = first;|app=CardsWindow.*
cw-bytes-cards|app/MainHistory.cpp|    return WriteDocument(categoryNames(), catalogue, firstCardSettings(), keptRecords, &list);|    return WriteDocument(categoryNames(), catalogue, firstCardSettings(), keptRecords);|app=CardsWindow.*
cw-snapshot-cards|app/MainHistory.cpp|WriteDocument(categoryNames(), catalogue, settings, {}, &list);|WriteDocument(categoryNames(), catalogue, settings, {}, nullptr);|app=CardsWindow.*
cw-save-cards|app/MainDocument.cpp|catalogue, firstCardSettings(), &error, keptRecords, &list)) {|catalogue, firstCardSettings(), &error, keptRecords)) {|app=CardsWindow.*
cw-restore-card|app/MainHistory.cpp|    if (sel.card > 0 && sel.card < cards.count())|    if (false)|app=CardsWindow.*
cw-preview-card|app/MainPreview.cpp|SourceOfCard(categoryNames(), catalogue, selectedCard, cardSettings());|SourceOfCard(categoryNames(), catalogue, 0, cardSettings());|app=CardsWindow.*
cw-new-carries|app/MainCards.cpp|    appendCard(*this, name, cardSettings(), -1);|    appendCard(*this, name, cardSettings(), selectedCard);|app=CardsWindow.*
cw-dup-carries|app/MainCards.cpp|    appendCard(*this, name, cardSettings(), selectedCard);|    appendCard(*this, name, cardSettings(), -1);|app=CardsWindow.*
cw-name-check|app/MainCards.cpp|        if (problem.isEmpty())|        if (true)|app=CardsWindow.*
cw-overwrite-ask|app/MainCards.cpp|    if (!existing.isEmpty()|    if (false|app=CardsWindow.*
cw-options-read|app/CardOptionsBox.cpp|    s.NummernJeKarteCheck = NummernJeKarteCheck->isChecked();|    s.NummernJeKarteCheck = false;|app=CardsWindow.*
cw-newprod-cards|app/MainProducts.cpp|    catalogue.setProductCards(cat, added, EditProduktForm->cards());|    ;|app=CardsWindow.*
cw-pager-switch|app/MainCards.cpp|    Pager->cardChanged();|    ;|app=CardsWindow.*|1
cw-delete-ask|app/MainCards.cpp|        != QMessageBox::Yes)|        && false)|app=CardsWindow.*
cw-assign-category|catalogue/cardassign.cpp|        return cards \| carryingAll(cat, category, all);|        return cards;|catalogue=CardAssign.*
cw-assign-empty|catalogue/cardassign.cpp|        carrying &= carryingAll(cat, c, all);|        carrying &= all;|catalogue=CardAssign.*
cw-assign-off|catalogue/cardassign.cpp|        const uint64_t now = on ? was \| bit(card) : was & ~bit(card);|        const uint64_t now = was \| bit(card);|catalogue=CardAssign.*
# The cards on the command line, in the web page and in the CSV export.
cc-csv-used|export/csvexport.cpp|return cards && (!cards->isDefault() \|\| !CarriesEverything(cat, 0));|return cards && !cards->isDefault();|export=CsvExport.*
cc-csv-offer|export/csvexport.cpp|row << text(cat.isOffered(i, int(j)) ? yes : no);|row << text(yes);|export=CsvExport.*
cc-csv-cards|export/csvexport.cpp|if (on & (uint64_t(1) << k))|if (on \| (uint64_t(1) << k))|export=CsvExport.*
cc-html-single|export/htmlexport.cpp|    if (cards.size() == 1)|    if (false)|export=HtmlExport.*
cc-html-source|export/htmlexport.cpp|c.source = SourceOfCard(doc.categoryNames, *doc.catalogue, i, doc.cards.settingsOf(i, doc.settings));|c.source = SourceOfCard(doc.categoryNames, *doc.catalogue, 0, doc.cards.settingsOf(i, doc.settings));|export=HtmlExport.*
cc-html-date|export/htmlexport.cpp|pl.second ? secondDateHtml(s, today, pl.tag) : HtmlEscape(DateLineText(s, today));|QString();|export=HtmlExport.*
cc-html-ids|export/htmlexport.cpp|m.idPrefix = QStringLiteral("k%1-").arg(n + 1);|m.idPrefix = QStringLiteral("k");|export=HtmlExport.*
cc-byname-case|app/commandline.cpp|if (names.at(i).compare(wanted, Qt::CaseInsensitive) == 0)|if (names.at(i) == wanted)|ship=CommandLineParse.*
cc-byname-last|app/commandline.cpp|return number && n >= 1 && n <= names.size() ? n - 1 : -1;|return number && n >= 1 && n <= names.size() + 1 ? n - 1 : -1;|ship=CommandLineParse.*
cc-allcards-ext|app/commandline.cpp|const int dot = hasExtension ? int(base.lastIndexOf(QLatin1Char('.'))) : -1;|const int dot = -1;|ship=CommandLineParse.*
cc-card-settings|app/commandline.cpp|CardSource card = SourceOfCard(doc.categoryNames, *doc.catalogue, i, doc.cards.settingsOf(i, doc.settings));|CardSource card = SourceOfCard(doc.categoryNames, *doc.catalogue, i, doc.settings);|ship=CommandLineRun.TheExamples*
cc-list-paper|app/commandline.cpp|const ExportPage page = ExportPageFor(o, card.settings.PapierBox, card.settings.QuerCheck);|const ExportPage page = ExportPageFor(o, CardSettings::Paper::Printer, false);|ship=CommandLineRun.TheExamples*
cc-cards-together|app/commandline.cpp|    if (shared)|    if (false)|ship=CommandLineRun.EveryCards*
cc-html-whole|app/commandline.cpp|    } else if (o.mode == Mode::ExportHtml) {|    } else if (false) {|ship=CommandLineRun.WebPage*
xl-number-format|export/workbook/xlsxexport.cpp|format_set_num_format(money, "0.00");|format_set_num_format(money, "0.0");|export
xl-freeze|export/workbook/xlsxexport.cpp|worksheet_freeze_panes(sheet, 1, 0);|(void)0;|export
xl-number-cell|export/workbook/xlsxexport.cpp|            if (cell.isNumber) {|            if (false) {|export
xl-csv-1252|catalogue/sheet.cpp|    if (!utf8.hasError()) {|    if (true) {|catalogue
xl-csv-tab|catalogue/sheet.cpp|if (tabs > 0 && tabs >= semicolons && tabs >= commas)|if (false)|catalogue
xl-csv-quote|catalogue/sheet.cpp|if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {|if (false) {|catalogue
xl-number-last-mark|catalogue/sheet.cpp|decimal = lastPoint > lastComma ? QLatin1Char('.') : QLatin1Char(',');|decimal = QLatin1Char(',');|catalogue
xl-match-number|catalogue/sheetimport.cpp|        if (in.values.number > 0)|        if (false)|catalogue
xl-keep-absent|catalogue/sheetimport.cpp|        if (!rd.has(ColDescription))|        if (false)|catalogue
xl-cents|catalogue/sheetimport.cpp|v = std::round(v * 100) / 100; // the cent the program keeps|(void)0;|catalogue
xl-negative|catalogue/sheetimport.cpp|if (in.values.price < 0 && ((mc >= 0 && old.values.price >= 0) \|\| (mc < 0 && in.values.number > 0))) {|if (in.values.price < 0 && mc < 0 && in.values.number > 0) {|catalogue
xl-remove|catalogue/sheetimport.cpp|    if (removeMissing)|    if (false)|catalogue
xl-zip-total|export/workbook/xlsxreader.cpp|if (unpacked < 0 \|\| total > kMaxUnpackedXlsx|if (unpacked < 0|export
xl-zip-ratio|export/workbook/xlsxreader.cpp|\|\| unpacked > kMaxXlsxRatio * std::max<qint64>(qint64(info.compressedSize), 1024))|)|export
xl-rows|export/workbook/xlsxreader.cpp|if (rowNumber > kMaxSheetRows \|\| sheet.rows.size() >= kMaxSheetRows)|if (sheet.rows.size() >= kMaxSheetRows)|export
xl-skip-column|export/workbook/xlsxreader.cpp|            if (!ref.isEmpty() && cellReference(ref, &c, &rr))|            if (false)|export
xl-rph|export/workbook/xlsxreader.cpp|            if (!skip)|            if (true)|export
xl-katalog|export/workbook/xlsxreader.cpp|                namedId = id;|                (void)0;|export
xl-formula|export/workbook/xlsxreader.cpp|cell.noValue = formula \|\| type == QLatin1String("e");|cell.noValue = type == QLatin1String("e");|export
xl-apply-remove|app/MainSheets.cpp|ApplySheetImport(plan, dlg.removeMissing(), names, catalogue);|ApplySheetImport(plan, false, names, catalogue);|app=SheetCommands.*
xl-column-map|app/MainSheets.cpp|        sheet.columns = map.columns();|        (void)0;|app=SheetCommands.*

trw-subtag-case|catalogue/officialwording.cpp|return language.section(QLatin1Char('-'), 0, 0).toLower();|return language.section(QLatin1Char('-'), 0, 0);|catalogue=OfficialWording.*
trw-prefix|catalogue/officialwording.cpp|if (lang == QLatin1String(w.language))|if (lang.startsWith(QLatin1String(w.language)))|catalogue=OfficialWording.*
trw-trimmed|catalogue/officialwording.cpp|const int n = DefaultAdditives().indexOf(german);|const int n = DefaultAdditives().indexOf(german.trimmed());|catalogue=OfficialWording.*
trw-en-order|catalogue/officialwording.cpp|      u"Lupin", u"Molluscs"},|      u"Molluscs", u"Lupin"},|catalogue=OfficialWording.*
trw-en-short|catalogue/officialwording.cpp|u"contains a source of phenylalanine", u"contains caffeine", u"contains quinine"}},|u"contains a source of phenylalanine", u"contains caffeine"}},|catalogue=OfficialWording.*
trw-langs|catalogue/officialwording.cpp|        out << QLatin1String(w.language);|        (void)w;|catalogue=OfficialWording.*
trr-card-flags|catalogue/translationrecords.cpp|    if (flags & ~kBilingual) {|    if (false) {|catalogue=TranslationRecords.*:Translations.*
trr-tag|catalogue/translationrecords.cpp|    if (!IsWellFormedLanguageTag(l.tag)) {|    if (false) {|catalogue=TranslationRecords.*:Translations.*
trr-language-name|catalogue/translationrecords.cpp|    l.name = OneLineText(l.name);|    (void)0;|catalogue=TranslationRecords.*:Translations.*
trr-language-forced|catalogue/translationrecords.cpp|if (l.isDefault() && !anyCardHasTranslation(doc) && !hasProductTranslations(cat)|if (l.isDefault() && !hasProductTranslations(cat)|catalogue=TranslationRecords.*:Translations.*
trr-further-cards|catalogue/translationrecords.cpp|        for (int i = 1; i < doc.cards->count(); ++i)|        for (int i = 1; i < 1; ++i)|catalogue=TranslationRecords.*:Translations.*
trr-product-exists|catalogue/translationrecords.cpp|if (c < 0 \|\| c >= cat.categoryCount() \|\| p < 0 \|\| p >= cat.productCount(c)) {|if (c < 0 \|\| c >= cat.categoryCount() \|\| p < 0 \|\| p > cat.productCount(c)) {|catalogue=TranslationRecords.*:Translations.*
trr-ascending|catalogue/translationrecords.cpp|        if (key <= previous) {|        if (key < previous) {|catalogue=TranslationRecords.*:Translations.*
trr-category-twice|catalogue/translationrecords.cpp|        if (listed[size_t(c)]) {|        if (false) {|catalogue=TranslationRecords.*:Translations.*
trr-max-sizes|catalogue/translationrecords.cpp|        if (k > kMaxSizes) {|        if (k > kMaxSizes + 1) {|catalogue=TranslationRecords.*:Translations.*
trr-size-exists|catalogue/translationrecords.cpp|        if (headings.size() > sizes) {|        if (headings.size() > sizes + 1) {|catalogue=TranslationRecords.*:Translations.*
trr-additives-999|catalogue/translationrecords.cpp|    if (n > kMaxAdditives) {|    if (false) {|catalogue=TranslationRecords.*:Translations.*
trr-additives-list|catalogue/translationrecords.cpp|    if (m.additiveTranslations.size() > m.additives.size()) {|    if (false) {|catalogue=TranslationRecords.*:Translations.*
trr-additives-trim|catalogue/translationrecords.cpp|    while (!m.additiveTranslations.isEmpty() && m.additiveTranslations.last().isEmpty())|    while (false)|catalogue=TranslationRecords.*:Translations.*
trr-additives-known|catalogue/translationrecords.cpp|    QStringList t = m.additiveTranslations.mid(0, known);|    QStringList t = m.additiveTranslations;|catalogue=TranslationRecords.*:Translations.*
trr-no-empty-categories|catalogue/translationrecords.cpp|        if (name.isEmpty() && headings.isEmpty())|        if (false)|catalogue=TranslationRecords.*:Translations.*
trr-reset|catalogue/document.cpp|    ResetCardTranslation(d.settings);|    (void)0;|catalogue=TranslationRecords.*:Translations.*
trr-import-language|catalogue/sheetimport.cpp|    cat.setSecondLanguage(language);|    (void)language;|catalogue=SheetImport.*
trr-import-translation|catalogue/sheetimport.cpp|            cat.setTranslation(c, r, e.translation);|            (void)0;|catalogue=SheetImport.*
trr-import-changed|catalogue/sheetimport.cpp|    e.translation = cat.translation(c, r);|    (void)0;|catalogue=SheetImport.*
trr-import-headings|catalogue/sheetimport.cpp|        cat.setSizeHeadingTranslations(c, k.headingTranslations);|        (void)0;|catalogue=SheetImport.*
trr-csv-columns|export/csvexport.cpp|                       + (translationColumns ? 3 : 0);|                       + 0;|export=Csv*
trr-csv-title|export/csvexport.cpp|header << GetMsgText(14) + tag << GetMsgText(15) + tag << GetMsgText(18) + tag;|header << GetMsgText(14) + tag << GetMsgText(18) + tag << GetMsgText(15) + tag;|export=Csv*
trr-stats-translated|catalogue/languagestats.cpp|                     .arg(c.total - c.missing)|                     .arg(c.total)|catalogue=Translations.*
trr-stats-kinds|catalogue/languagestats.cpp|        if (c.total == 0)|        if (false)|catalogue=Translations.*
trr-core-swap|catalogue/catalogue.cpp|        std::swap(catTr_[size_t(a)], catTr_[size_t(b)]);|        (void)0;|catalogue=Translations.*
trr-core-cut|catalogue/catalogue.cpp|    if (tr.size() > h.size())|    if (false)|catalogue=Translations.*
trr-core-oneline|catalogue/catalogue.cpp|    catTr_[size_t(cat)].name = OneLineText(name);|    catTr_[size_t(cat)].name = name;|catalogue=Translations.*
trr-core-copy|catalogue/productcopy.cpp|    c.setTranslation(to, at, translation);|    (void)0;|catalogue=Translations.*
trr-core-view|catalogue/cardview.cpp|    own_->setSecondLanguage(cat.secondLanguage());|    (void)0;|catalogue=Translations.*
trr-core-shipped|catalogue/officialwording.cpp|        *shipped = !w.isEmpty();|        *shipped = false;|catalogue=Translations.*
trr-core-set-card|catalogue/translationtexts.cpp|        if (place.card < 0 \|\| place.card >= cards.size())|        if (place.card < 0)|catalogue=Translations.*
win-plugins-unloaded|catalogue/platform/linux.cpp|    loadPicturePlugins();|    (void)0;|ship=CommandLineRun.HelpAndVersion*
win-webp-stem|catalogue/platform/linux.cpp|{"libwebp", "libwebp.so."},|{"libwebp", "libwebpx.so."},|ship=CommandLineRun.HelpAndVersion*
win-png-version|catalogue/platform/linux.cpp|(handle, "png_get_libpng_ver"))|(handle, "png_get_libpng_version"))|ship=CommandLineRun.HelpAndVersion*
win-jpeg-version|catalogue/platform/linux.cpp|static const QByteArray mark("libjpeg-turbo version ");|static const QByteArray mark("libjpeg version ");|ship=CommandLineRun.HelpAndVersion*
win-version-lines|app/commandline.cpp|text += QStringLiteral("  ") + library + QLatin1Char('\n');|text += QString();|ship=CommandLineRun.HelpAndVersion*
win-about-libraries|app/AboutBox.cpp|libraries->setText(QStringLiteral("Libraries: ") + text);|libraries->setText(QStringLiteral("Libraries: "));|app=AboutBox.*
trl-italic|layout/bilingual.cpp|f.style ^= FontSetting::Italic;|(void)0;|layout=Bilingual.*
trl-name-row|layout/cardlayout.cpp|pos(y_ + nameRowsMM + double(r + 1) * hN)|pos(y_ + nameRowsMM + double(r) * hN)|layout=Bilingual.*
trl-name-rows|layout/cardlayout.cpp|const double trRowsMM = double(trEnds.size()) * hN;|const double trRowsMM = 0;|layout=Bilingual.*
trl-quantity-right|layout/cardlayout.cpp|c_.textOut(quantityRightPx - c_.textWidth(trQuantity)|c_.textOut(quantityRightPx|layout=Bilingual.*
trl-keep-whole|layout/cardlayout.cpp|&& (pageTop + whole <= bottom_ \|\||&& (false \|\||layout=Bilingual.*
trl-keep-description|layout/cardlayout.cpp|whole = nameRowsMM + trRowsMM + 1.5 * hN + rows * rowMM;|whole = nameRowsMM + trRowsMM + 1.5 * hN;|layout=Bilingual.*
trl-keep-freetext|layout/cardlayout.cpp|if (y_ + whole > bottom_ && s_.ObenEd + headerBand_ + whole <= bottom_) {|if (false) {|layout=Bilingual.*
trl-caption-caps|layout/cardlayout.cpp|CategoryCaption(cat->categoryTranslation(i), s_)|cat->categoryTranslation(i)|layout=Bilingual.*
trl-rows-fit|layout/bilingual.cpp|if (m.TextWidthMM(joined) <= availableMM)|if (true)|layout=Bilingual.*
trl-header-row|layout/cardlayout.cpp|c_.textOut(((width_ - lm_ - rm_ - w) / 2) + lm_, tm_ + r * h, t);|c_.textOut(((width_ - lm_ - rm_ - w) / 2) + lm_, tm_, t);|layout=Bilingual.*
trl-heads-measure|layout/cardlayout.cpp|widen(k, sizeTr_.at(k));|(void)k;|layout=Bilingual.*
trl-heads-row|layout/cardlayout.cpp|c_.textOut(rightPx - c_.textWidth(h), pos(topMM + rowMM), h);|c_.textOut(rightPx - c_.textWidth(h), pos(topMM), h);|layout=Bilingual.*
trl-category-measure|layout/cardlayout.cpp|        prepare(CategoryFont);|        prepare(HeadingFont);|layout|2
trl-legend-item|layout/bilingual.cpp|item += QChar(0x00A0) + bothWordings(german, AdditiveWording(marks, n - 1, language));|item += QChar(0x00A0) + german;|layout=Bilingual.*
trl-legend-switch|layout/cardmarks.cpp|legend_ = s.ZweisprachigCheck ?|legend_ = false ?|layout=Bilingual.*
trl-missing-switch|layout/bilingual.cpp|if (!card.settings.ZweisprachigCheck \|\| !card.catalogue)|if (!card.catalogue)|layout=Bilingual.*
trl-missing-zero|layout/bilingual.cpp|    if (missing <= 0)|    if (missing < 0)|layout=Bilingual.*
trl-same-once|catalogue/translation.h|    return IsTranslated(translation) && translation.trimmed() != german.trimmed() ? translation : QString();|    return IsTranslated(translation) ? translation : QString();|layout=Bilingual.*
trd-tr-given-desc|dialogs/EditProduktFUnit.cpp|if (f && d == filledTr_.description) {|if (false) {|dialogs=ProductDialogTranslation.*
trd-tr-crlf|dialogs/EditProduktFUnit.cpp|typed.replace(QLatin1Char('\n'), QLatin1String("\r\n"));|(void)0;|dialogs=ProductDialogTranslation.*
trd-new-clears|dialogs/EditProduktFUnit.cpp|    NameTrEd->clear();|    ;|dialogs=ProductDialogTranslation.*
trd-lines-placeholder|dialogs/languagefields.cpp|    return b.isValid() && !b.text().isEmpty() ? QString() : placeholders_.value(line);|    return placeholders_.value(line);|dialogs=LinesEdit.*
trd-lines-clean|dialogs/languagefields.cpp|        s = clean(s).trimmed();|        s = clean(s);|dialogs=LinesEdit.*
trd-sizes-lost|dialogs/SizesDialog.cpp|        if (!read(HeadingTrEds.at(k), givenTr_, k).isEmpty()) {|        if (false) {|dialogs=SizesDialogTranslation.*
trd-sizes-given|dialogs/SizesDialog.cpp|        t << read(HeadingTrEds.at(k), givenTr_, k);|        t << HeadingTrEds.at(k)->text().trimmed();|dialogs=SizesDialogTranslation.*
trd-sizes-store|app/MainPrices.cpp|    catalogue.setSizeHeadingTranslations(cat, dlg.headingTranslations());|    ;|app=TranslationDialogs.*
trd-prod-store|app/MainProducts.cpp|    catalogue.setTranslation(cat, row, EditProduktForm->translation());|    ;|app=TranslationDialogs.*
trd-prod-new-store|app/MainProducts.cpp|    catalogue.setTranslation(cat, added, EditProduktForm->translation());|    ;|app=TranslationDialogs.*
trd-prod-fill|app/MainProducts.cpp|    EditProduktForm->setTranslation(catalogue.translation(cat, row));|    ;|app=TranslationDialogs.*
trd-cat-take|app/MainUnit.cpp|            takeCategoryTranslation(it);|            ;|app=TranslationDialogs.*
trd-cat-width|app/MainUnit.cpp|(ListView2->width() - 10) * 3 / 5|ListView2->width() - 10|app=TranslationDialogs.*
trd-cat-tab|app/CategoryEditDelegate.cpp|        if (to >= 0 && at.isValid() && at.column() != to) {|        if (false) {|app=TranslationDialogs.*
trd-cat-show|app/MainTranslations.cpp|        ListView2->topLevelItem(i)->setText(1, catalogue.categoryTranslation(i));|        ;|app=TranslationDialogs.*
trd-first-additive-tr|app/MainCards.cpp|    s.marks.additiveTranslations = MarksGroup->settings().additiveTranslations;|    ;|app=TranslationDialogs.*
trd-add-lost|app/MarksGroup.cpp|    if (t > n) {|    if (false) {|app=AdditivesDialogTranslation.*
trd-add-given|app/MarksGroup.cpp|    if (TranslationsMemo->toPlainText() == shownTr_)|    if (false)|app=AdditivesDialogTranslation.*
trd-add-unchanged|app/MarksGroup.cpp|if ((list == additives_ && translations == additiveTranslations_)|if ((list == additives_)|app=TranslationDialogs.*
trd-add-hints|app/MarksGroup.cpp|        hints << ShippedAdditiveText(german, language_.tag);|        hints << QString();|app=AdditivesDialogTranslation.*
trv-tab-column|app/TranslationsView.cpp|            return model()->index(r, TTranslationsView::TranslationColumn);|            return model()->index(r, TTranslationsView::GermanColumn);|app=SecondLanguageWindow.*
trv-enter-next|app/TranslationsView.cpp|                enter_();|                (void)0;|app=SecondLanguageWindow.*
trv-next-missing|app/TranslationsView.cpp|if (!texts_.at(r).missing() \|\| TextTable->isRowHidden(r))|if (TextTable->isRowHidden(r))|app=SecondLanguageWindow.*
trv-filter|app/TranslationsView.cpp|onlyMissing && r < texts_.size() && !texts_.at(r).missing()|onlyMissing && r < texts_.size()|app=SecondLanguageWindow.*
trv-count|app/TranslationsView.cpp|.arg(MissingTranslations(texts_))|.arg(texts_.size())|app=SecondLanguageWindow.*
trv-crlf|app/TranslationsView.cpp|    s.replace(QLatin1Char('\n'), QLatin1String("\r\n"));|    (void)0;|app=SecondLanguageWindow.*
trv-offered-tag|app/TranslationsView.cpp|            l.name.clear();|            (void)0;|app=SecondLanguageWindow.*
trv-step|app/MainTranslations.cpp|        history->record(TranslateStr(kTranslationStep));|        (void)0;|app=SecondLanguageWindow.*
trv-other-card|app/MainTranslations.cpp|                cards[i].settings.translation = all.at(i).translation;|                (void)0;|app=SecondLanguageWindow.*
trv-tag-check|app/MainTranslations.cpp|        if (IsWellFormedLanguageTag(chosen.tag) && !german) {|        if (!german) {|app=SecondLanguageWindow.*
trv-typed-saved|app/MainUnit.cpp|            emit d->commitData(editor);|            (void)0;|app=SecondLanguageWindow.*|1
trv-switch-step|app/MainCards.cpp|[this, bilingual] { history->record(TranslateStr(bilingual)); });|[this, bilingual] { (void)bilingual; });|app=SecondLanguageWindow.*
trv-switch-read|app/CardOptionsBox.cpp|    s.ZweisprachigCheck = ZweisprachigCheck->isChecked();|    (void)0;|app=SecondLanguageWindow.*
trv-new-document|app/MainDocument.cpp|    refreshTranslations();|    (void)0;|app=SecondLanguageWindow.*|1
trv-card-text-read|app/CardOptionsBox.cpp|        translation_ = s.translation;|        (void)0;|app=SecondLanguageWindow.*
trv-additives-held|app/MarksGroup.cpp|    m.additiveTranslations = additiveTranslations_;|    (void)0;|app=SecondLanguageWindow.*
trf-lines-in-step|app/MarksGroup.cpp|    if (from >= count \|\| wasBetween == isBetween)|    if (true)|app=AdditivesDialogTranslation.*
trf-line-inserted|app/MarksGroup.cpp|c.insertText(QString(isBetween - wasBetween, QLatin1Char('\n')));|(void)0;|app=AdditivesDialogTranslation.*
trf-lines-removed|app/MarksGroup.cpp|c.setPosition(doc->findBlockByNumber(to).position(), QTextCursor::KeepAnchor);|c.setPosition(doc->findBlockByNumber(from + 1).position(), QTextCursor::KeepAnchor);|app=AdditivesDialogTranslation.*
trf-last-removed|app/MarksGroup.cpp|        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);|        (void)0;|app=AdditivesDialogTranslation.*
trf-ask|app/MainTranslations.cpp|        if (anyTranslated|        if (false|app=SecondLanguageWindow.*
trf-no-shows-old|app/MainTranslations.cpp|            Uebersetzungen->setLanguage(now); // the box shows the language again|            (void)0;|app=SecondLanguageWindow.*
trf-german-refused|app/MainTranslations.cpp|const bool german = chosen.primary() == QLatin1String("de");|const bool german = false;|app=SecondLanguageWindow.*
tri-tag-case|catalogue/sheetimport.cpp|columns.translationTag.compare(cat.secondLanguage().tag, Qt::CaseInsensitive) == 0|columns.translationTag == cat.secondLanguage().tag|catalogue=SheetImport.*
tri-one-language|catalogue/sheetimport.cpp|\|\| columns.translationTag.compare(tag, Qt::CaseInsensitive) == 0)) {|\|\| true)) {|catalogue=SheetImport.*
tri-absent-kept|catalogue/sheetimport.cpp|                translationOf(in.translation, k) = translationOf(old.translation, k);|                (void)0;|catalogue=SheetImport.*
tri-codepage|catalogue/sheetimport.cpp|after == FromWindows1252(ToWindows1252(before)))|after == before)|catalogue=SheetImport.*
tri-change|catalogue/sheetimport.cpp|            change(k, translationOf(old.translation, k), translationOf(in.translation, k));|            (void)0;|catalogue=SheetImport.*
tri-new-product|catalogue/sheetimport.cpp|        e.translation = p.translation;|        (void)0;|catalogue=SheetImport.*
tri-title-tag|export/sheetfile.cpp|title + QStringLiteral(" (%1)").arg(tag) : title;|title : title;|export=CsvImport.*
tri-not-taken|export/sheetfile.cpp|    if (!plan.otherLanguageColumns.isEmpty())|    if (false)|app=SheetCommands.*
tri-map-language|app/ColumnMapDialog.cpp|(sameLanguage \|\| !IsTranslationColumn(k))|(true)|app=SheetCommands.*
EOF
)


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

# Applies one mutant; prints how many lines matched, or 1 when the
# occurrence asked for (fourth argument) exists.
apply() {
  python3 - "$1" "$2" "$3" "$4" <<'PY'
import sys
path, old, new, nth = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4]
with open(path, encoding='utf-8') as f:
    lines = f.readlines()
def hit(line):
    return line.startswith(old) if old.startswith(' ') else old in line
idx = [i for i, l in enumerate(lines) if hit(l)]
if nth:
    idx = idx[int(nth) - 1:int(nth)] if len(idx) >= int(nth) else []
print(len(idx))
if len(idx) == 1:
    i = idx[0]
    lines[i] = lines[i].replace(old, new, 1)
    with open(path, 'w', encoding='utf-8') as f:
        f.writelines(lines)
PY
}

tried=0; caught=0; survived=(); skipped=(); timedout=()
declare -A built=()
while IFS= read -r line; do
  line=${line//'\|'/$'\x01'}
  IFS='|' read -r name file old new tests nth <<<"$line"
  old=${old//$'\x01'/|}
  new=${new//$'\x01'/|}
  [ -z "$name" ] && continue
  [[ "$name" =~ $only ]] || continue
  target_file="$here/$file"
  backup=$(mktemp)
  cp -p "$target_file" "$backup"
  n=$(apply "$target_file" "$old" "$new" "$nth")
  if [ "$n" != 1 ]; then
    echo "SKIP     $name: the fragment matches $n lines of $file${nth:+ (line $nth of them asked for)}"
    skipped+=("$name")
    restore
    continue
  fi
  tried=$((tried + 1))
  targets=()
  IFS=',' read -ra progs <<<"$tests"
  for t in "${progs[@]}"; do targets+=("test_${t%%=*}"); built["test_${t%%=*}"]=1; done
  verdict=""
  if ! cmake --build "$build" --target "${targets[@]}" >/tmp/mutant-build.$$ 2>&1; then
    verdict="caught (does not build)"
  else
    runs=()
    for t in "${progs[@]}"; do
      prog=${t%%=*}
      filter='*'
      [[ "$t" == *=* ]] && filter=${t#*=}
      if [ "$filter" = '*' ] && [ -n "${slow[$prog]:-}" ]; then
        runs+=("$prog=-${slow[$prog]}" "$prog=${slow[$prog]}")
      else
        runs+=("$prog=$filter")
      fi
    done
    for r in "${runs[@]}"; do
      prog=${r%%=*}
      filter=${r#*=}
      timeout "$limit" "$build/tests/test_$prog" --gtest_brief=1 --gtest_fail_fast "--gtest_filter=$filter" \
        >/tmp/mutant-run.$$ 2>&1
      rc=$?
      if [ "$rc" = 124 ]; then
        # A slow machine is no verdict: the next program may still catch
        # the mutant; otherwise it is reported, not counted.
        verdict="timeout"
      elif [ "$rc" != 0 ]; then
        failed=$(grep -m1 -o '\[  FAILED  \] [A-Za-z0-9_./]*' /tmp/mutant-run.$$ | sed 's/\[  FAILED  \] //')
        verdict="caught by test_$prog: ${failed:-exit status $rc}"
        break
      fi
    done
  fi
  restore
  if [ "$verdict" = timeout ]; then
    timedout+=("$name")
    echo "TIMEOUT  $name: the tests ran longer than $limit s"
  elif [ -n "$verdict" ]; then
    caught=$((caught + 1))
    echo "CAUGHT   $name: $verdict"
  else
    survived+=("$name")
    echo "SURVIVED $name ($file: $old -> $new)"
  fi
done <<<"$mutants"
rm -f /tmp/mutant-build.$$ /tmp/mutant-run.$$

# Put the objects of the original sources back.
[ "${#built[@]}" -gt 0 ] && cmake --build "$build" --target "${!built[@]}" >/dev/null 2>&1
echo "mutants tried: $tried, caught: $caught, survived: ${#survived[@]}${skipped:+, not applicable: ${#skipped[@]}}${timedout:+, timed out: ${#timedout[@]}}"
[ "${#survived[@]}" -gt 0 ] && echo "survivors: ${survived[*]}"
[ "${#timedout[@]}" -gt 0 ] && echo "timed out: ${timedout[*]}"
[ "${#survived[@]}" -eq 0 ] && [ "${#timedout[@]}" -eq 0 ]
