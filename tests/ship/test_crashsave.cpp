// Saving survives being killed at any moment: a helper process saves a
// document of a few thousand products over and over, alternating between two
// versions, and is killed with SIGKILL at random moments. After every kill the
// file on disk must open and be exactly one of the two versions. What counts
// is that many kills land inside a save, not how many kills there are: the
// test says how many landed inside the write of the file and fails when too
// few did.
#include "catalogue/brastel.h"
#include "catalogue/document.h"
#include "testutil.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>
#include <random>

#ifdef __linux__
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#endif

namespace {

struct Doc {
    QStringList names;
    Catalogue cat;
    CardSettings settings;
    QByteArray bytes;
};

// 2,000 products in 20 categories; `variant` changes every text and price.
void makeLargeDocument(Doc &d, int variant)
{
    const int categories = 20, perCategory = 100;
    for (int c = 0; c < categories; ++c) {
        d.names << QStringLiteral("Kategorie %1 / Fassung %2").arg(c).arg(variant);
        ASSERT_TRUE(d.cat.addCategory());
        for (int p = 0; p < perCategory; ++p) {
            ProductValues v;
            v.name = QStringLiteral("Gericht %1-%2 (%3)").arg(c).arg(p).arg(variant);
            v.description = QStringLiteral("Mit Beilage nach Wahl, Salat der Saison\r\nZweite Zeile %1").arg(variant);
            v.quantity = variant ? QStringLiteral("0,5l") : QStringLiteral("4cl");
            v.price = 1.5 + p * 0.1 + variant;
            v.number = variant ? -1 : 0;
            ASSERT_NE(d.cat.addProduct(c, v), nullptr);
        }
    }
    d.settings.CaptionEd = QStringLiteral("Fassung %1").arg(variant);
    d.bytes = WriteDocument(d.names, d.cat, d.settings);
    ASSERT_FALSE(d.bytes.isEmpty());
}

} // namespace

TEST(CrashSave, KilledSavesLeaveTheOldOrTheNewDocument)
{
#ifndef __linux__
    GTEST_SKIP() << "needs fork and SIGKILL";
#else
    Doc a, b;
    makeLargeDocument(a, 0);
    makeLargeDocument(b, 1);
    ASSERT_NE(a.bytes, b.bytes);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("menu.vlr"));
    QString error;
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(SaveDocumentFile(path, a.names, a.cat, a.settings, &error)) << error.toStdString();
    const auto saveMs = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0);

    // Kills come at random moments over about two saves, so they meet the
    // helper in every phase of a save (building the bytes, writing the
    // temporary file, renaming it). The helper saves as SaveDocumentFile does
    // (the document's bytes, then the atomic write of the file) and reports
    // through a pipe when the write begins ('w') and when the save has
    // finished ('s'); every second kill waits for a finished one first: saves
    // finish between kills however slow the machine is, and the file must
    // hold one of the two versions whole. A kill after a 'w' without its 's'
    // landed inside the write.
    std::mt19937 rng(20261209);
    std::uniform_int_distribution<int> delayMs(0, std::max(20, int(2 * saveMs.count())));
    // Every fourth kill aims at the write itself: it waits for a write to
    // begin and comes a moment later. The run goes on until a dozen kills
    // have landed inside the write, however the machine's load spreads them.
    std::uniform_int_distribution<int> intoWriteMs(0, std::max(1, int(saveMs.count() / 8)));
    int foundA = 0, foundB = 0, changes = 0, finishedSaves = 0, insideWrite = 0;
    bool onDiskIsA = true;
    const int minKills = 60, maxKills = 600, wantInsideWrite = 12;
    int kills = 0;
    for (int k = 0; k < maxKills && (k < minKills || insideWrite < wantInsideWrite); ++k, ++kills) {
        int report[2];
        ASSERT_EQ(pipe(report), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The helper: save the other version, then the first, and so on,
            // until it is killed (or its parent goes away).
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            close(report[0]);
            bool nextIsA = !onDiskIsA;
            for (;;) {
                const Doc &d = nextIsA ? a : b;
                const QByteArray bytes = WriteDocument(d.names, d.cat, d.settings);
                if (write(report[1], "w", 1) != 1)
                    _exit(1);
                WriteFileAtomically(path, bytes, nullptr);
                if (write(report[1], "s", 1) != 1)
                    _exit(1);
                nextIsA = !nextIsA;
            }
        }
        close(report[1]);
        int n = 0;
        char last = 0;
        auto take = [&](const char *buf, ssize_t got) {
            n += int(std::count(buf, buf + got, 's'));
            if (got > 0)
                last = buf[got - 1];
        };
        auto waitFor = [&](char wanted) {
            for (char c = 0; c != wanted;) {
                pollfd p{report[0], POLLIN, 0};
                ASSERT_EQ(poll(&p, 1, 120000), 1) << "no report '" << wanted << "' within two minutes";
                ASSERT_EQ(read(report[0], &c, 1), 1);
                take(&c, 1);
            }
        };
        if (k % 2) {
            // Up to the end of a save.
            waitFor('s');
            if (HasFatalFailure()) {
                kill(child, SIGKILL);
                waitpid(child, nullptr, 0);
                return;
            }
        }
        if (k % 4 == 3) {
            // Into the next write.
            waitFor('w');
            if (HasFatalFailure()) {
                kill(child, SIGKILL);
                waitpid(child, nullptr, 0);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(intoWriteMs(rng)));
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(rng)));
        }
        ASSERT_EQ(kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        char buf[256];
        for (ssize_t got; (got = read(report[0], buf, sizeof buf)) > 0;)
            take(buf, got);
        close(report[0]);
        finishedSaves += n;
        insideWrite += last == 'w';

        const QByteArray now = testutil::readFile(path);
        const bool isA = now == a.bytes, isB = now == b.bytes;
        ASSERT_TRUE(isA || isB) << "after kill " << k << " (" << n << " saves finished) the file holds " << now.size()
                                << " bytes that are neither version";
        DocumentData loaded;
        ASSERT_TRUE(LoadDocumentFile(path, CardSettings(), loaded, &error))
            << "kill " << k << ": " << error.toStdString();
        ASSERT_EQ(loaded.catalogue->categoryCount(), 20);
        if (isA != onDiskIsA)
            ++changes;
        onDiskIsA = isA;
        (isA ? foundA : foundB)++;
    }
    // Temporary files of killed saves (when the system has no unnamed
    // temporary files) are the only other files the folder may hold.
    const QStringList others = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    RecordProperty("found_a", foundA);
    RecordProperty("found_b", foundB);
    RecordProperty("changes", changes);
    RecordProperty("files_in_folder", int(others.size()));
    RecordProperty("kills_inside_the_write", insideWrite);
    std::printf("%d kills (a save takes about %d ms), %d of them inside the write of the file: version A %d"
                " times, version B %d times, %d changes seen; %d file(s) in the folder\n",
                kills, int(saveMs.count()), insideWrite, foundA, foundB, changes, int(others.size()));
    // Saves finished between kills, and kills met saves at work.
    EXPECT_GE(finishedSaves, kills / 2);
    EXPECT_GT(changes, 0);
    EXPECT_GE(insideWrite, wantInsideWrite) << "too few of " << maxKills << " kills landed inside the write";
#endif
}
