// The note under the file name on the "Hintergrund" tab: why the picture
// named there cannot be used (missing, unreadable, too large, not a picture,
// a network or device path from a document),
// with the file name, in the interface language. Hidden while the picture is
// fine or no name is given. It replaces the message box a failure would
// otherwise need, which would come up at every keystroke in the field.
#pragma once

#include "texture/pictor3.h"

#include <QLabel>
#include <QStringList>

// The note for a file name and a problem; empty for PictureProblem::None and
// for an empty name.
QString PictureProblemText(const QString &fileName, PictureProblem problem);

// The German texts the note is made of (looked up through TranslateStr), so
// that the translation table can hold them before a picture ever fails.
QStringList PictureProblemTexts();

class PictureNote : public QLabel {
    Q_OBJECT
public:
    explicit PictureNote(QWidget *parent = nullptr);

    // Says the problem of the file (or hides the note).
    void setProblem(const QString &fileName, PictureProblem problem);
};
