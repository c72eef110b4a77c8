// A file name field with a browse button. The field's text is a file name the
// program uses as typed; the browse button opens a file dialog with the
// field's filter (kept in the Windows "Text|*.x" form).
#pragma once

#include <QWidget>
#include <functional>

class FileDialogFilter;
class QLineEdit;
class QToolButton;

class TFilenameEdit : public QWidget {
    Q_OBJECT
public:
    explicit TFilenameEdit(QWidget *parent = nullptr);

    QString FileName() const;
    void setFileName(const QString &name); // raises changed() like typing
    // True while the field holds the name last chosen in the browse dialog
    // (not typed, not set by code such as a document's name).
    bool ChosenInDialog() const;
    // The browse dialog's filter (Windows form "Bilder|*.jpg;*.png|...").
    FileDialogFilter *Filter = nullptr;
    // The folder the browse dialog starts in (none set: the dialog's own choice).
    std::function<QString()> startFolder;
    QLineEdit *edit() const { return edit_; }

signals:
    void changed(); // the text changed (typing, browsing or code)

private:
    void browse();
    QLineEdit *edit_;
    QToolButton *button_;
    QString chosen_; // the browse dialog's last answer
};
