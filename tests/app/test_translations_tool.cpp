// tsv2dat, the build's converter from the translation source to translate.dat,
// and its rule for the copy next to a build tree's executable.
#include "i18n/translateunit.h"
#include "testutil.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kTool = QStringLiteral(VELLORAN_TSV2DAT);

struct ToolResult {
    int exitCode = -1;
    QString output; // standard output and error together
};

ToolResult runTool(const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(kTool, args);
    ToolResult r;
    if (!p.waitForFinished(30000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.output = QString::fromLocal8Bit(p.readAll());
    return r;
}

class Tsv2Dat : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QFile::exists(kTool)) << "build the target tsv2dat first"; }

    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    void write(const char *name, const QByteArray &bytes) const { ASSERT_TRUE(testutil::writeFile(path(name), bytes)); }

    QTemporaryDir dir;
};

TEST_F(Tsv2Dat, ConvertsRowsWithEscapesAndReadsBackLikeTheProgram)
{
    write("t.tsv", "\xEF\xBB\xBF# comment\r\n"
                   "German\tEnglish\tFrench\tDutch\tSwedish\r\n"
                   "\r\n"
                   "Menge\tQuantity\tQuantit\xC3\xA9\tHoeveelheid\tM\xC3\xA4ngd\n"
                   "Tab\\there\tTab\\tthere\n"
                   "\\#1 \\\\ back\tNo. 1 \\\\ back\n"
                   "Zeile\\nzwei\t\tLigne\\ndeux\n");
    const ToolResult r = runTool({path("t.tsv"), path("t.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();

    TranslationTable t;
    t.InitTranslations(path("t.dat"));
    t.setFilePath(QString());
    ASSERT_EQ(t.RowCount(), 4);
    EXPECT_EQ(t.Cell(0, 2), QStringLiteral("Quantité"));
    EXPECT_EQ(t.Cell(1, 0), QStringLiteral("Tab\there"));
    EXPECT_EQ(t.Cell(2, 0), QStringLiteral("#1 \\ back"));
    EXPECT_EQ(t.Cell(3, 0), QStringLiteral("Zeile\nzwei"));
    EXPECT_TRUE(t.Cell(3, 1).isEmpty());
    EXPECT_TRUE(t.Cell(1, 2).isEmpty()); // short lines leave the rest empty
    t.language = 4;
    EXPECT_EQ(t.TranslateStr(QStringLiteral("  Menge ")), QStringLiteral("  Mängd "));
    EXPECT_EQ(t.RowCount(), 4);

    // Dumped and converted again: the same table, byte for byte.
    ASSERT_EQ(runTool({QStringLiteral("--dump"), path("t.dat"), path("back.tsv")}).exitCode, 0);
    const ToolResult again = runTool({path("back.tsv"), path("again.dat")});
    ASSERT_EQ(again.exitCode, 0) << again.output.toStdString();
    EXPECT_EQ(testutil::readFile(path("again.dat")), testutil::readFile(path("t.dat")));
}

TEST_F(Tsv2Dat, RejectsRowsTheProgramCouldNeverFindOrThatContradictEachOther)
{
    const char *const header = "German\tEnglish\tFran\xC3\xA7" "ais\tNederlands\tSwedish\n";
    const struct {
        const char *body;
        const char *what;
    } cases[] = {
        {"Preis\tAmount\n", "second row"},
        {"Menge \tQuantity\n", "blanks"},
        {"Menge\tQuantity \n", "English text has blanks"},
        {"\tQuantity\n", "empty German"},
        {"Menge\ta\tb\tc\td\te\n", "6 cells"},
        {"Menge\tQuan\\xtity\n", "unknown escape"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        write("bad.tsv", QByteArray(header) + "Preis\tPrice\n" + c.body);
        const ToolResult r = runTool({path("bad.tsv"), path("bad.dat")});
        EXPECT_NE(r.exitCode, 0);
        EXPECT_TRUE(r.output.contains(QLatin1String(c.what))) << r.output.toStdString();
        EXPECT_TRUE(r.output.contains(path("bad.tsv") + QLatin1String(":3:"))) << r.output.toStdString();
        EXPECT_FALSE(QFile::exists(path("bad.dat")));
    }
    // A header that does not name the languages in their order.
    write("bad.tsv", "German\tFrench\nPreis\tPrix\n");
    EXPECT_NE(runTool({path("bad.tsv"), path("bad.dat")}).exitCode, 0);
    EXPECT_FALSE(QFile::exists(path("bad.dat")));
}

TEST_F(Tsv2Dat, CopyNextToTheExecutableIsKeptOnceSomeoneChangedIt)
{
    const QStringList seed = {QStringLiteral("--seed"), path("built.dat"), path("app.dat"), path("record.dat")};
    write("built.dat", "first");
    // Missing: written.
    ASSERT_EQ(runTool(seed).exitCode, 0);
    EXPECT_EQ(testutil::readFile(path("app.dat")), QByteArray("first"));

    // Untouched since, and the build has a newer table: replaced.
    write("built.dat", "second");
    ASSERT_EQ(runTool(seed).exitCode, 0);
    EXPECT_EQ(testutil::readFile(path("app.dat")), QByteArray("second"));

    // Changed by the program or in the editor: kept, whatever the build has.
    write("app.dat", "edited");
    write("built.dat", "third");
    const ToolResult kept = runTool(seed);
    EXPECT_EQ(kept.exitCode, 0);
    EXPECT_TRUE(kept.output.contains(QLatin1String("kept")));
    EXPECT_EQ(testutil::readFile(path("app.dat")), QByteArray("edited"));

    // Removed by the developer: the shipped table comes back.
    QFile::remove(path("app.dat"));
    ASSERT_EQ(runTool(seed).exitCode, 0);
    EXPECT_EQ(testutil::readFile(path("app.dat")), QByteArray("third"));
}

} // namespace
