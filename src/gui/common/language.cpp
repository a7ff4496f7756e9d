#include "gui/common/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace Korvane {

namespace {

CTranslations* g_current = nullptr; // set and cleared by CTranslations itself

QString QtLocale(Language language) {
    return language == Language::Chinese ? QStringLiteral("zh_CN") : QStringLiteral("en");
}

} // namespace

QString LanguageCode(Language language) {
    switch (language) {
    case Language::English:
        return QStringLiteral("en");
    case Language::Chinese:
        return QStringLiteral("zh_CN");
    case Language::Original:
        break;
    }
    return QStringLiteral("original");
}

std::optional<Language> LanguageFromCode(const QString& code) {
    for (Language l : {Language::Original, Language::English, Language::Chinese})
        if (code == LanguageCode(l))
            return l;
    return std::nullopt;
}

QString LanguageMenuText(Language language) {
    // Each language is offered in its own words, so it can be found whatever is shown now;
    // "Original" is the one caption that follows the language in use.
    switch (language) {
    case Language::English:
        return QStringLiteral("English");
    case Language::Chinese:
        return QString::fromUtf8("简体中文");
    case Language::Original:
        break;
    }
    return QCoreApplication::translate("Korvane::Language", "Original");
}

QStringList TranslationFolders() {
    const QString appDir = QCoreApplication::applicationDirPath();
    return {QDir::cleanPath(appDir + QStringLiteral("/../share/korvane/translations")),
            QStringLiteral(":/i18n")};
}

CTranslations::CTranslations() : m_before(g_current) {
    g_current = this;
}

CTranslations::~CTranslations() {
    Remove();
    g_current = m_before;
}

CTranslations* CTranslations::Current() {
    return g_current;
}

void CTranslations::Remove() {
    if (m_station)
        QCoreApplication::removeTranslator(m_station.get());
    if (m_qt)
        QCoreApplication::removeTranslator(m_qt.get());
    m_station.reset();
    m_qt.reset();
}

bool CTranslations::Apply(Language language) {
    auto station = std::make_unique<QTranslator>();
    if (language != Language::Original) {
        const QString name = QStringLiteral("korvane_") + LanguageCode(language);
        bool loaded = false;
        for (const QString& folder : TranslationFolders())
            if ((loaded = station->load(name, folder)))
                break;
        if (!loaded)
            return false;
    }
    // Qt's own texts (the buttons of standard dialogs) follow where Qt has them; English is
    // Qt's source language, so nothing is loaded for it.
    auto qt = std::make_unique<QTranslator>();
    const bool qtLoaded = language == Language::Chinese &&
                          qt->load(QStringLiteral("qtbase_") + QtLocale(language),
                                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    Remove();
    if (language != Language::Original) {
        m_station = std::move(station);
        QCoreApplication::installTranslator(m_station.get());
    }
    if (qtLoaded) {
        m_qt = std::move(qt);
        QCoreApplication::installTranslator(m_qt.get());
    }
    // Installing and removing a translator each tell every window (a LanguageChange event,
    // posted to each top-level window), also when the last one goes and Original is back.
    m_language = language;
    return true;
}

bool ApplyLanguage(Language language) {
    return g_current && g_current->Apply(language);
}

Language CurrentLanguage() {
    return g_current ? g_current->InUse() : Language::Original;
}

} // namespace Korvane
