#include "catalogue/document.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>


namespace {

QByteArray defaultDocument()
{
    Catalogue cat;
    return WriteDocument({}, cat, CardSettings());
}

// A document larger than the default one.
struct BigDocument {
    QStringList names{"Suppen"};
    Catalogue cat;
    BigDocument()
    {
        cat.addCategory();
        ProductValues v;
        v.name = "Tagessuppe";
        v.description = QString(400, QLatin1Char('d'));
        v.price = 4.5;
        cat.addProduct(0, v);
    }
};

} // namespace

TEST(DocumentFiles, SaveThenLoad)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QString::fromUtf8("Karte \xC3\xBC \xE4\xB8\xAD.vlr"));
    BigDocument b;
    CardSettings s;
    s.KopfEd = "Kopf";
    QString err;
    ASSERT_TRUE(SaveDocumentFile(path, b.names, b.cat, s, &err)) << err.toStdString();
    EXPECT_EQ(testutil::readFile(path), WriteDocument(b.names, b.cat, s));
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    // Saving again keeps the permissions the user gave the file.
    const auto perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    ASSERT_TRUE(QFile::setPermissions(path, perms));
    ASSERT_TRUE(SaveDocumentFile(path, b.names, b.cat, s, &err)) << err.toStdString();
    EXPECT_EQ(QFile::permissions(path), perms);

    DocumentData d;
    ASSERT_TRUE(LoadDocumentFile(path, CardSettings(), d, &err)) << err.toStdString();
    EXPECT_EQ(d.categoryNames, b.names);
    EXPECT_EQ(d.settings.KopfEd, "Kopf");
    EXPECT_EQ(WideText(d.catalogue->product(0, 0)->description), QString(400, QLatin1Char('d')));
}

TEST(DocumentFiles, MissingOrUnreadablePathsFailAndLeaveTheDataAlone)
{
    QTemporaryDir dir;
    DocumentData d;
    d.categoryNames << "kept";
    d.settings.CaptionEd = "kept";
    QString err;
    EXPECT_FALSE(LoadDocumentFile(dir.filePath("missing.vlr"), CardSettings(), d, &err));
    EXPECT_FALSE(err.isEmpty());
    EXPECT_FALSE(LoadDocumentFile(dir.path(), CardSettings(), d, &err)); // a folder
    EXPECT_FALSE(err.isEmpty());
    const QString truncated = dir.filePath("cut.vlr");
    ASSERT_TRUE(testutil::writeFile(truncated, defaultDocument().left(300)));
    EXPECT_FALSE(LoadDocumentFile(truncated, CardSettings(), d, &err));
    EXPECT_TRUE(err.contains("endet mitten in")) << err.toStdString();
    EXPECT_EQ(d.categoryNames, QStringList{"kept"});
    EXPECT_EQ(d.settings.CaptionEd, "kept");
    EXPECT_FALSE(d.catalogue);
}

TEST(DocumentFiles, FailedWriteLeavesTheOldFileByteIdentical)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("karte.vlr");
    const QByteArray old = defaultDocument();
    ASSERT_TRUE(testutil::writeFile(path, old));

    // The disk fills up after 200 bytes: the file size limit makes every
    // write beyond it fail, as a full disk does.
    BigDocument b;
    QString err;
    bool saved_ok = true;
    {
        testutil::FileSizeLimit full(200);
        if (!full.active())
            GTEST_SKIP() << "no file size limit on this system";
        saved_ok = SaveDocumentFile(path, b.names, b.cat, CardSettings(), &err);
    }

    EXPECT_FALSE(saved_ok);
    EXPECT_FALSE(err.isEmpty());
    EXPECT_EQ(testutil::readFile(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"karte.vlr"});
}

TEST(DocumentFiles, SaveIntoReadOnlyFolderLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("karte.vlr");
    const QByteArray old = defaultDocument();
    ASSERT_TRUE(testutil::writeFile(path, old));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther
                                          | QFile::ExeOther);
    // The superuser may write into any folder: save as an ordinary user then.
    BigDocument b;
    QString err;
    bool ok = true;
    ASSERT_TRUE(testutil::runUnprivileged([&] { ok = SaveDocumentFile(path, b.names, b.cat, CardSettings(), &err); }));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(err.isEmpty());
    EXPECT_EQ(testutil::readFile(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"karte.vlr"});
}

TEST(DocumentFiles, SaveIntoMissingFolderFails)
{
    QTemporaryDir dir;
    BigDocument b;
    QString err;
    EXPECT_FALSE(SaveDocumentFile(dir.filePath("no/such/folder/karte.vlr"), b.names, b.cat,
                                  CardSettings(), &err));
    EXPECT_FALSE(err.isEmpty());
}

TEST(DocumentFiles, WriteProtectedDocumentIsNotReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("karte.vlr");
    const QByteArray old = defaultDocument();
    ASSERT_TRUE(testutil::writeFile(path, old));
    // The folder is writable for everyone, the document for nobody.
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther);
    BigDocument b;
    QString err;
    bool ok = true;
    ASSERT_TRUE(testutil::runUnprivileged([&] { ok = SaveDocumentFile(path, b.names, b.cat, CardSettings(), &err); }));
    EXPECT_FALSE(ok);
    EXPECT_FALSE(err.isEmpty());
    EXPECT_EQ(testutil::readFile(path), old);
}
