// The fast row breaking and leader counting give exactly the results of the
// step-by-step rules, for pinned, random and real font metrics.
#include "literal.h"
#include "recordingcanvas.h"

#include "layout/cardlayout.h"
#include "layout/qpaintercanvas.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// Advances from a table: random whole pixels per character, zero allowed.
class TableMetrics : public ITextMetrics {
public:
    TableMetrics(std::mt19937 &rng, int maxAdvance, bool allowZero)
    {
        std::uniform_int_distribution<int> d(allowZero ? 0 : 1, maxAdvance);
        for (int &a : adv_)
            a = d(rng);
    }
    int advance(QStringView t, qsizetype i) const override { return adv_[t.at(i).unicode() % 128]; }
    int height() const override { return 10; }
    int ascent() const override { return 8; }

private:
    int adv_[128];
};

QString randomText(std::mt19937 &rng, int maxLen)
{
    static const QString alphabet = QStringLiteral("abcdefghijklmnop      äöüßWMil.,-");
    std::uniform_int_distribution<int> len(0, maxLen), pick(0, int(alphabet.size()) - 1);
    QString s;
    const int n = len(rng);
    for (int i = 0; i < n; ++i)
        s += alphabet.at(pick(rng));
    return s;
}

void expectSameRows(const LayoutMeasure &m, const QString &line, double w)
{
    const QStringList fast = WrapLine(m, line, w);
    const QStringList slow = literal::wrapLine(m, line, w);
    ASSERT_EQ(fast, slow) << "line \"" << line.toStdString() << "\" width " << w;
    EXPECT_EQ(fast.join(QString()), line);
}

} // namespace

TEST(WrapAndLeader, RandomMetricsMatchTheStepByStepRules)
{
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> width(-2.0, 60.0);
    for (int font = 0; font < 25; ++font) {
        TableMetrics tm(rng, 1 + font % 37, font % 3 == 0);
        const LayoutMeasure m(tm);
        for (int i = 0; i < 100; ++i) {
            const QString line = randomText(rng, 140);
            expectSameRows(m, line, width(rng));
            const double avail = width(rng) * 3;
            ASSERT_EQ(LeaderDots(m, avail), literal::leaderDots(m, avail)) << avail;
        }
    }
}

TEST(WrapAndLeader, RealFontsMatchTheStepByStepRules)
{
    QPainterCanvas canvas(nullptr);
    std::mt19937 rng(99);
    std::uniform_real_distribution<double> width(0.0, 120.0);
    const QString faces[] = {QStringLiteral("Times New Roman"), QStringLiteral("Courier New")};
    int checked = 0;
    for (const QString &face : faces) {
        for (int size : {1, 6, 9, 12, 14, 24, 40}) {
            for (uint8_t style : {uint8_t(0), uint8_t(FontSetting::Bold | FontSetting::Italic)}) {
                const LayoutMeasure m(canvas.metrics(FontSetting::make(face, size, style), size, kMeasureDpi));
                for (int i = 0; i < 40; ++i, ++checked) {
                    const QString line = randomText(rng, 200);
                    expectSameRows(m, line, width(rng));
                    const double avail = width(rng) * 2;
                    ASSERT_EQ(LeaderDots(m, avail), literal::leaderDots(m, avail));
                }
            }
        }
    }
    EXPECT_GE(checked, 1000);
}

TEST(WrapAndLeader, RowRuleCases)
{
    RecordingCanvas rc; // every character 50% of the pixel size
    const FontSetting f;
    const LayoutMeasure m(rc.metrics(f, 12, kMeasureDpi)); // 50 px -> 25 px a character
    // Breaks after the last space that lets the row fit; the space stays.
    EXPECT_EQ(WrapLine(m, QStringLiteral("abc def ghi"), MeasuredPxToMM(200)),
              (QStringList{QStringLiteral("abc def "), QStringLiteral("ghi")}));
    // A word wider than the width is cut after its last character that fits.
    EXPECT_EQ(WrapLine(m, QStringLiteral("abcdefgh"), MeasuredPxToMM(75)),
              (QStringList{QStringLiteral("abc"), QStringLiteral("def"), QStringLiteral("gh")}));
    // A single character is a row even when it is too wide.
    EXPECT_EQ(WrapLine(m, QStringLiteral("ab"), MeasuredPxToMM(12)), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    // An empty line is one empty row.
    EXPECT_EQ(WrapLine(m, QString(), 10), QStringList{QString()});
    // Exactly fitting stays one row.
    EXPECT_EQ(WrapLine(m, QStringLiteral("abcd"), MeasuredPxToMM(100)), QStringList{QStringLiteral("abcd")});
}

TEST(WrapAndLeader, LeaderCases)
{
    RecordingCanvas rc;
    const FontSetting f;
    const LayoutMeasure m(rc.metrics(f, 12, kMeasureDpi)); // a full stop is 25 px
    EXPECT_EQ(LeaderDots(m, MeasuredPxToMM(250)), 10);
    EXPECT_EQ(LeaderDots(m, MeasuredPxToMM(250) - 1e-9), 9);
    // 105 full stops fill the gap exactly, though the quotient of the two
    // millimetre widths comes out a hair below 105.
    ASSERT_LT(MeasuredPxToMM(105 * 25) / MeasuredPxToMM(25), 105.0);
    EXPECT_EQ(LeaderDots(m, MeasuredPxToMM(105 * 25)), 105);
    EXPECT_EQ(LeaderDots(m, MeasuredPxToMM(24)), 0);
    EXPECT_EQ(LeaderDots(m, -5), 0);
    rc.shares[u'.'] = 0; // a full stop without width: no leader, and it ends
    EXPECT_EQ(LeaderDots(m, 100), 0);
}

TEST(WrapAndLeader, DescriptionLines)
{
    EXPECT_EQ(SplitDescriptionLines(QStringLiteral("a\r\nb\rc\nd")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}));
    EXPECT_EQ(SplitDescriptionLines(QStringLiteral("a\r\n")), QStringList{QStringLiteral("a")});
    EXPECT_EQ(SplitDescriptionLines(QStringLiteral("a\n\nb\n")),
              (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(SplitDescriptionLines(QStringLiteral("\r\n")), QStringList{QString()});
}
