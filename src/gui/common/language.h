#pragma once

#include <QString>

#include <memory>
#include <optional>

class QTranslator;

namespace Korvane {

// The languages the station's captions and messages can be shown in. Original shows them as
// the products' own manuals print them, English and Chinese mixed; it loads no translation.
enum class Language { Original, English, Chinese };

// The code used on the command line and in the settings: "original", "en", "zh_CN".
QString LanguageCode(Language language);
std::optional<Language> LanguageFromCode(const QString& code);
// The language's own name, as the View menu offers it ("English", "简体中文").
QString LanguageMenuText(Language language);

// The translations installed in the application, and the language they are: made once by the
// program (main, before the first window; a test program for its tests) and torn down with
// it, which removes them. While none lives the station shows its Original texts.
class CTranslations {
  public:
    CTranslations();
    ~CTranslations();
    CTranslations(const CTranslations&) = delete;
    CTranslations& operator=(const CTranslations&) = delete;
    static CTranslations* Current();

    bool Apply(Language language);
    Language InUse() const { return m_language; }

  private:
    void Remove();

    Language m_language = Language::Original;
    std::unique_ptr<QTranslator> m_station;
    std::unique_ptr<QTranslator> m_qt;
    CTranslations* m_before = nullptr;
};

// Loads the station's translation for language (and Qt's own, for standard dialogs) and drops
// the one in use; every window is told by a LanguageChange event and shows its texts again.
// False when the translation could not be found (the station then stays as it is), or when no
// CTranslations lives.
bool ApplyLanguage(Language language);
Language CurrentLanguage();

// Where the translations are looked for, first to last: the folder next to the installed
// program (share/korvane/translations), then the ones built into the program.
QStringList TranslationFolders();

} // namespace Korvane
