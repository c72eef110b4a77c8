// The name a save dialog proposes: the document's own name with the new
// extension, or, for a document without a file, one made from the card's
// heading.
#pragma once

#include <QString>

// documentPath empty = the document has no file yet. The heading gives the
// name without characters that file systems refuse (/ \ : * ? " < > |);
// an empty heading proposes nothing. suffix without the dot ("pdf").
QString ProposedFileName(const QString &documentPath, const QString &heading, const QString &suffix);
