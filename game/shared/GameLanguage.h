// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The language the game speaks. Japanese is the game's own: every text is
// written in it, so it needs no file. English comes from mortavel_en.qm.
class GameLanguage {
public:
    enum Language { Japanese, English };

    // What a list of UI languages, most wanted first (as
    // QLocale::uiLanguages() gives them), asks for: the first Japanese or
    // English entry decides; other languages only get English; the C locale
    // alone, or nothing, keeps the game's own Japanese.
    static Language fromUiLanguages(const QStringList& uiLanguages);
    // "ja" or "en", as the --language option takes them.
    static std::optional<Language> fromName(const QString& name);

    // Puts language in force for every text created from now on: the game's
    // translation, and Qt's own for the standard dialog buttons. Returns
    // false when the game's translation file is missing, and the game then
    // stays Japanese. qtFolder is where Qt's translations are looked for.
    static bool install(Language language, const QString& qtFolder = defaultQtFolder());
    static Language current();
    // Qt's standard buttons (Yes, No, OK, Cancel) already read in the current
    // language; when false, the game sets their captions itself.
    static bool standardButtonsTranslated();

    // Folders searched for the game's .qm files: beside the program (a
    // build) and the shared data folder of an installed game.
    static QStringList translationFolders();
    static QString defaultQtFolder();
};
