// Qt's own texts in the interface language: the buttons of message boxes
// ("Ja", "Nein", "Abbrechen"), the file, print and page set-up dialogs. They
// come from the translation catalogues installed with Qt (qt_xx.qm, which
// pulls in qtbase_xx.qm and the others it names).
#pragma once

#include <QString>
#include <cstdint>

// The catalogue name of a language number: "de", "en", "fr", "nl", "sv";
// empty for any other number.
QString QtLanguageCode(int32_t language);

// Installs Qt's catalogue for the language number in place of the one
// installed before (from Qt's translations directory, or from `directory`
// when given). English, a number without a language and a language whose
// catalogue is missing leave Qt's own English texts, without a message.
// Returns true when a catalogue is in force afterwards.
bool SetQtLanguage(int32_t language, const QString &directory = QString());
