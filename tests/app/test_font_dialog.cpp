#include "app/FontDialog.h"
#include "testutil.h"

#include <QApplication>
#include <QDialog>
#include <QFontDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Runs the real font dialog and, once it is up, lets `act` work on the
// embedded font dialog and then confirms.
bool runDialog(TFontDialog &fd, std::function<void(QFontDialog *)> act = {})
{
    testutil::ModalAnswer answer([act](QDialog *dlg) {
        if (act)
            act(dlg->findChild<QFontDialog *>());
        dlg->accept();
    });
    return fd.Execute(nullptr);
}

} // namespace

TEST(FontDialogSetting, ConfirmingWithoutChangesKeepsEveryDefaultFont)
{
    const CardSettings defaults;
    for (const FontSetting &f : defaults.fonts) {
        TFontDialog fd(f, nullptr);
        ASSERT_TRUE(runDialog(fd));
        EXPECT_TRUE(fd.Font == f) << qPrintable(f.face) << " became " << qPrintable(fd.Font.face) << " "
                                  << fd.Font.size << " style " << int(fd.Font.style);
    }
}

TEST(FontDialogSetting, ChangedSizeAndStyleAreTakenOver)
{
    const FontSetting f = FontSetting::make("Times New Roman", 12, FontSetting::Bold);
    TFontDialog fd(f, nullptr);
    ASSERT_TRUE(runDialog(fd, [](QFontDialog *d) {
        // what a user picks: the same family, bold italic, 20 points
        QFont q(d->currentFont().family(), 20);
        q.setBold(true);
        q.setItalic(true);
        d->setCurrentFont(q);
    }));
    EXPECT_EQ(fd.Font.size, 20);
    EXPECT_EQ(fd.Font.style & FontSetting::Italic, FontSetting::Italic);
    EXPECT_EQ(fd.Font.face, "Times New Roman");
    EXPECT_EQ(fd.Font.colour, f.colour);
}
