#pragma once

#include <QString>

// The Qt translations of the newer windows, for the whole application. The
// language is the index the main window stores: 0 Portuguese, 1 Spanish,
// 2 English (the build's list of language codes); any other index counts as
// Portuguese, as in the main window.
//
// Installing a language sends every widget a LanguageChange event, and each
// new window retranslates its texts in changeEvent.
namespace Translations {

// The language code of an index ("pt", "es", "en").
QString code(int language);

// The index in use, -1 before the first apply.
int current();

// Puts the texts of language in place of the ones before, with Qt's own
// texts for its dialogs where the system has them. Nothing when that
// language is already in place. False when the language's own file could
// not be loaded: the texts are then the English of the source.
bool apply(int language);

} // namespace Translations
