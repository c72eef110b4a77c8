// A real main window with its dialogs, shown offscreen, whose modal dialogs
// are answered by the test.
#pragma once

#include "app/AboutBox.h"
#include "app/FontDialog.h"
#include "app/MainUnit.h"
#include "dialogs/EditProduktFUnit.h"

#include "app/recovery.h"
#include "catalogue/appfiles.h"

#include <QApplication>
#include <QMessageBox>
#include <QFile>
#include <QTemporaryDir>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <deque>
#include <functional>
#include <memory>

struct MainWindowFixture {
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<TEditProduktForm> produkt;
    std::unique_ptr<TAboutBox> about;
    // Message boxes shown (title, text) and the answers to give, in order
    // (Ok/Yes when none is queued).
    QList<QPair<QString, QString>> boxes;
    std::deque<QMessageBox::StandardButton> boxAnswers;
    // Paths the file dialogs return, in order (empty = cancelled).
    std::deque<QString> fileAnswers;
    int fileDialogsShown = 0;
    // Answers for the next modal dialogs, in order; each fills the dialog
    // and returns the result code.
    std::deque<std::function<int(QDialog *)>> answers;
    int dialogsShown = 0;
    // options.dat and translate.dat of the window under test live here.
    std::unique_ptr<QTemporaryDir> userDir;

    void create()
    {
        qApp->setProperty("applicationTitle", QStringLiteral("Velloran"));
        if (!userDir)
            useFreshUserDir();
        form = std::make_unique<TMainForm>();
        produkt = std::make_unique<TEditProduktForm>();
        about = std::make_unique<TAboutBox>();
        form->setDialogs(produkt.get(), about.get(), nullptr);
        form->execDialog = [this](QDialog *d) {
            ++dialogsShown;
            if (answers.empty())
                return int(QDialog::Rejected);
            auto a = answers.front();
            answers.pop_front();
            return a(d);
        };
        form->messageBox = [this](QMessageBox::Icon, const QString &title, const QString &text,
                                  QMessageBox::StandardButtons buttons) {
            boxes << qMakePair(title, text);
            if (!boxAnswers.empty()) {
                auto a = boxAnswers.front();
                boxAnswers.pop_front();
                return a;
            }
            return (buttons & QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        };
        form->chooseFile = [this](FileDialogFilter *, bool, const QString &) {
            ++fileDialogsShown;
            if (fileAnswers.empty())
                return QString();
            QString p = fileAnswers.front();
            fileAnswers.pop_front();
            return p;
        };
        // The folder dialog answers from the same queue.
        form->chooseFolder = [this] {
            ++fileDialogsShown;
            if (fileAnswers.empty())
                return QString();
            QString p = fileAnswers.front();
            fileAnswers.pop_front();
            return p;
        };
        form->recoveryQuestion = [this](const QString &, const QString &text, const QString &restore,
                                        const QString &discard) {
            recoveryQuestions << text + QStringLiteral("|") + restore + QStringLiteral("|") + discard;
            return recoveryAnswer;
        };
        if (!argumentsForNextWindow.isEmpty())
            form->arguments = argumentsForNextWindow;
        form->show();
        QApplication::processEvents();
    }
    QStringList argumentsForNextWindow;
    // The recovery questions asked at start (text|restore|discard) and the
    // answer to give (1 restore, 0 discard, -1 neither).
    QStringList recoveryQuestions;
    int recoveryAnswer = -1;

    // A new, empty user directory: no options, and an empty translation table
    // (so that no table is copied in from next to the program).
    void useFreshUserDir()
    {
        userDir = std::make_unique<QTemporaryDir>();
        appfiles::SetUserFilesDirOverride(userDir->path());
        RecoveryKeeper::setFolderOverride(userDir->filePath(QStringLiteral("recovery")));
        QFile f(userDir->filePath(QStringLiteral("translate.dat")));
        if (f.open(QIODevice::WriteOnly))
            f.write(QByteArray("\x14\0\0\0\0\0\0\0", 8));
    }

    void destroy()
    {
        about.reset();
        produkt.reset();
        form.reset();
    }

    void click(QPushButton *b) { QTest::mouseClick(b, Qt::LeftButton); }

    // "Neue Kategorie", then type the name into the in-place editor, which
    // the button must open.
    void newCategory(const QString &name)
    {
        click(form->BitBtn1);
        QApplication::processEvents();
        auto *ed = form->ListView2->findChild<QLineEdit *>();
        if (!ed || !ed->isVisible()) {
            ADD_FAILURE() << "\"Neue Kategorie\" opened no in-place editor";
            return;
        }
        ed->insert(name); // QTest types ASCII only; insert() edits like typing
        QTest::keyClick(ed, Qt::Key_Return);
        QApplication::processEvents();
    }

    // Adds a category with n products straight into the catalogue and the
    // list (no dialogs), for cards that need many pages.
    void addCategoryDirect(const QString &name, int n, const QString &prefix = QStringLiteral("Gericht"))
    {
        form->catalogue.addCategory();
        const int cat = form->catalogue.categoryCount() - 1;
        for (int i = 0; i < n; ++i) {
            ProductValues v;
            v.name = QStringLiteral("%1 %2").arg(prefix).arg(i + 1);
            v.description = QStringLiteral("Mit einer Beschreibung, die etwas länger ist, damit sie umbricht und Platz braucht");
            v.price = 3.5 + i;
            form->catalogue.addProduct(cat, v);
        }
        auto *it = new QTreeWidgetItem(QStringList{name});
        form->ListView2->addTopLevelItem(it);
    }

    void selectCategory(int i)
    {
        QTreeWidget *lv = form->ListView2;
        QTreeWidgetItem *it = lv->topLevelItem(i);
        lv->scrollToItem(it);
        const QRect r = lv->visualItemRect(it);
        QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, r.center());
    }

    void selectProduct(int i)
    {
        QTreeWidget *lv = form->ListView1;
        QTreeWidgetItem *it = lv->topLevelItem(i);
        lv->scrollToItem(it);
        const QRect r = lv->visualItemRect(it);
        QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, r.center());
    }

    // Queues an OK answer for the product dialog that types these values.
    void answerProduct(const QString &name, double price, int number = 0, const QString &qty = QString(),
                       const QString &desc = QString())
    {
        answers.push_back([=](QDialog *d) {
            auto *f = static_cast<TEditProduktForm *>(d);
            f->Edit1->setText(name);
            f->Edit2->setPlainText(desc);
            f->PreisEd->setValue(price);
            f->NumEd->setValue(number);
            f->MengeEd->setText(qty);
            return int(QDialog::Accepted);
        });
    }
    void answerCancel()
    {
        answers.push_back([](QDialog *d) {
            static_cast<TEditProduktForm *>(d)->Edit1->setText(QStringLiteral("should not be stored"));
            return int(QDialog::Rejected);
        });
    }
};
