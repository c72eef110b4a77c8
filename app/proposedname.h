// The name a save dialog proposes: the document's own name with the new
// extension, or, for a document without a file, one made from the card's
// heading. And the folder every file dialog starts in.
#pragma once

#include <QString>

// documentPath empty = the document has no file yet. The heading gives the
// name without characters that file systems refuse (/ \ : * ? " < > |);
// an empty heading proposes nothing. suffix without the dot ("pdf").
QString ProposedFileName(const QString &documentPath, const QString &heading, const QString &suffix);

// The folder the file dialogs (open, save, the exports, the picture) start
// in: the open document's folder, else the user's documents folder (the home
// folder when there is none). Never the program's folder or the current one.
QString DialogStartFolder(const QString &documentPath);
