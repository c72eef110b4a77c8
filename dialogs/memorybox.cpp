#include "dialogs/memorybox.h"
#include "catalogue/brastel.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include <cstdio>

void InstallOutOfMemoryBox()
{
    TDynaArray::reportOutOfMemory = [](const QString &text) {
        auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
        if (app && QThread::currentThread() == app->thread()) {
            QMessageBox box(QMessageBox::Critical, QString(), text, QMessageBox::Ok, QApplication::activeWindow());
            box.exec();
        } else {
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        }
    };
}
