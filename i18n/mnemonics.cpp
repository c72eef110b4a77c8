#include "i18n/mnemonics.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

QString WithMnemonic(const QString &text, QSet<QChar> &taken)
{
    QString plain = text;
    plain.replace(QLatin1Char('&'), QLatin1String("&&"));
    auto pick = [&](bool wordStartsOnly) -> int {
        for (int i = 0; i < plain.size(); ++i) {
            const QChar c = plain.at(i);
            if (!c.isLetterOrNumber())
                continue;
            const bool wordStart = i == 0 || !plain.at(i - 1).isLetterOrNumber();
            if (wordStartsOnly && !wordStart)
                continue;
            if (!taken.contains(c.toLower()))
                return i;
        }
        return -1;
    };
    int at = pick(true);
    if (at < 0)
        at = pick(false);
    if (at < 0)
        return plain;
    taken.insert(plain.at(at).toLower());
    plain.insert(at, QLatin1Char('&'));
    return plain;
}

void AssignMnemonics(QMenuBar *bar)
{
    if (!bar)
        return;
    QSet<QChar> topTaken;
    for (QAction *top : bar->actions()) {
        QMenu *menu = top->menu();
        if (!menu)
            continue;
        menu->setTitle(WithMnemonic(menu->title(), topTaken));
        QSet<QChar> taken;
        for (QAction *a : menu->actions()) {
            if (a->isSeparator() || a->menu() || a->property("velloran_nomnemonic").toBool() || a->text().isEmpty())
                continue;
            if (!a->isVisible())
                continue; // hidden entries take no letter from the others
            a->setText(WithMnemonic(a->text(), taken));
        }
    }
}
