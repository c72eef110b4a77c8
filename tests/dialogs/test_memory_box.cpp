#include "catalogue/brastel.h"
#include "dialogs/memorybox.h"
#include "testutil.h"

#include <QDialog>
#include <QMessageBox>

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

void *noMemory(size_t, size_t)
{
    return nullptr;
}

} // namespace

// The program's windows show that memory ran out in an error box; the data
// library alone only writes it to standard error.
TEST(OutOfMemoryBox, AFailedAllocationOnTheGuiThreadIsShownInAnErrorBox)
{
    const auto oldReport = TDynaArray::reportOutOfMemory;
    InstallOutOfMemoryBox();
    TDynaArray::callocFn = &noMemory;
    QString shown;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    void *added = nullptr;
    {
        testutil::ModalAnswer answer([&](QDialog *d) {
            if (auto *box = qobject_cast<QMessageBox *>(d)) {
                shown = box->text();
                icon = box->icon();
            }
            d->accept();
        });
        TDynaArray a(16, static_cast<void **>(nullptr));
        added = a.Add();
        EXPECT_TRUE(answer.answered());
    }
    TDynaArray::callocFn = &std::calloc;
    TDynaArray::reportOutOfMemory = oldReport;
    EXPECT_EQ(added, nullptr);
    EXPECT_EQ(shown, QStringLiteral("Error 1 while trying to allocate 1600 bytes of RAM. Not enough memory."));
    EXPECT_EQ(icon, QMessageBox::Critical);
}
