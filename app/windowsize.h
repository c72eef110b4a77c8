// The main window's size: at the first start most of the screen, later the
// size it had when it was closed (kept in window.ini beside options.dat).
// The same file keeps the documents opened last, for the menu "Datei".
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

// The size to open with on a screen whose free area is `available`. Without
// a stored size: four fifths of the area in each direction, but not less
// than `least` (the window's own design size). A stored size is used as it
// is, made to fit the area.
QSize StartWindowSize(const QRect &available, const QSize &stored, const QSize &least);

// The stored size (invalid when there is none or the file holds none).
QSize LoadWindowSize(const QString &path);
void SaveWindowSize(const QString &path, const QSize &size);

// The documents opened or saved last, most recent first; at most this many.
constexpr int kRecentDocuments = 8;
QStringList LoadRecentDocuments(const QString &path);
void SaveRecentDocuments(const QString &path, const QStringList &documents);
// The list with `document` (made absolute) in front: an earlier entry of the
// same file goes, the oldest ones beyond kRecentDocuments fall off.
QStringList WithRecentDocument(const QStringList &documents, const QString &document);
