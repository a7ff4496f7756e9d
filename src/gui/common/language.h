#pragma once

#include <QString>

#include <optional>

namespace Korvane {

// The languages the station's captions and messages can be shown in. Original shows them as
// the products' own manuals print them, English and Chinese mixed; it loads no translation.
enum class Language { Original, English, Chinese };

// The code used on the command line and in the settings: "original", "en", "zh_CN".
QString LanguageCode(Language language);
std::optional<Language> LanguageFromCode(const QString& code);
// The language's own name, as the View menu offers it ("English", "简体中文").
QString LanguageMenuText(Language language);

// Loads the station's translation for language (and Qt's own, for standard dialogs) and drops
// the one in use; every window is told by a LanguageChange event and shows its texts again.
// False when the translation could not be found: the station then stays in Original.
bool ApplyLanguage(Language language);
Language CurrentLanguage();

// Where the translations are looked for, first to last: the folder next to the installed
// program (share/korvane/translations), then the ones built into the program.
QStringList TranslationFolders();

} // namespace Korvane
