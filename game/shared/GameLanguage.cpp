// SPDX-License-Identifier: MIT
#include "GameLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {

struct Installed {
    GameLanguage::Language language = GameLanguage::Japanese;
    bool buttonsTranslated = false;
    QTranslator* game = nullptr;
    QTranslator* qt = nullptr;
};

Installed& installed()
{
    static Installed state;
    return state;
}

void drop(QTranslator*& translator)
{
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
    translator = nullptr;
}

QTranslator* load(const QString& name, const QStringList& folders)
{
    auto translator = std::make_unique<QTranslator>();
    for (const QString& folder : folders) {
        if (translator->load(name, folder) && QCoreApplication::installTranslator(translator.get()))
            return translator.release();
    }
    return nullptr;
}

} // namespace

GameLanguage::Language GameLanguage::fromUiLanguages(const QStringList& uiLanguages)
{
    bool anyLanguage = false;
    for (const QString& entry : uiLanguages) {
        const QString code = entry.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
        if (code == QLatin1String("ja"))
            return Japanese;
        if (code == QLatin1String("en"))
            return English;
        // "C" and "POSIX" ask for the program's own texts.
        if (!code.isEmpty() && code != QLatin1String("c") && code != QLatin1String("posix"))
            anyLanguage = true;
    }
    return anyLanguage ? English : Japanese;
}

std::optional<GameLanguage::Language> GameLanguage::fromName(const QString& name)
{
    const QString code = name.trimmed().toLower();
    if (code == QLatin1String("ja"))
        return Japanese;
    if (code == QLatin1String("en"))
        return English;
    return std::nullopt;
}

bool GameLanguage::install(Language language, const QString& qtFolder)
{
    Installed& state = installed();
    drop(state.game);
    drop(state.qt);
    state.language = Japanese;
    state.buttonsTranslated = false;

    if (language == English) {
        state.game = load(QStringLiteral("mortavel_en"), translationFolders());
        if (state.game) {
            state.language = English;
            // Qt's own texts are English to begin with.
            state.buttonsTranslated = true;
            return true;
        }
    }
    state.qt = load(QStringLiteral("qtbase_ja"), {qtFolder});
    state.buttonsTranslated = state.qt != nullptr;
    return language == Japanese;
}

GameLanguage::Language GameLanguage::current()
{
    return installed().language;
}

bool GameLanguage::standardButtonsTranslated()
{
    return installed().buttonsTranslated;
}

QStringList GameLanguage::translationFolders()
{
    const QString program = QCoreApplication::applicationDirPath();
    return {program + QStringLiteral("/translations"),
            QDir::cleanPath(program + QStringLiteral("/../share/mortavel/translations"))};
}

QString GameLanguage::defaultQtFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}
