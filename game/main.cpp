// SPDX-License-Identifier: MIT
#include "AppFonts.h"
#include "ControllerInput.h"
#include "ControllerScript.h"
#include "frmMain.h"
#include "frmTitle.h"
#include "GameLanguage.h"
#include "GameRandom.h"
#include "Mci.h"
#include "Resources.h"
#include "SystemClock.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

#include <cstdio>
#include <functional>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mortavel"));
    QApplication::setOrganizationName(QStringLiteral("Mortavel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("net.mortavel.Mortavel"));
    QApplication::setWindowIcon(AppIcon());
    InstallFontSubstitutes();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Mortavel, a naval gunnery game."));
    parser.addHelpOption();
    const QCommandLineOption languageOption(
        QStringLiteral("language"),
        QStringLiteral("The language of the game: ja (Japanese) or en (English). "
                       "Without it, the system's language settings decide."),
        QStringLiteral("ja|en"));
    parser.addOption(languageOption);
    parser.process(app);
    GameLanguage::Language language = GameLanguage::fromUiLanguages(QLocale::system().uiLanguages());
    if (parser.isSet(languageOption)) {
        const auto chosen = GameLanguage::fromName(parser.value(languageOption));
        if (!chosen) {
            std::fprintf(stderr, "mortavel: --language takes ja or en, not \"%s\"\n",
                         qPrintable(parser.value(languageOption)));
            return 2;
        }
        language = *chosen;
    }
    if (!GameLanguage::install(language))
        std::fprintf(stderr, "mortavel: the English translation was not found; playing in Japanese\n");

    // The run's random source and clock: the title reseeds the random source
    // at every load, and every battle plays with both.
    GameRandom random;
    SystemClock clock;
    // The title and the battle take turns; the run ends when the last one closes.
    std::function<void()> showTitle;
    TitleScreen title(
        [&](const GameSettings& settings, const HighScores& scores) {
            frmMain::Options options;
            options.random = &random;
            options.clock = &clock;
            options.settings = settings;
            options.scores = scores;
            options.showTitle = showTitle;
            ShowBattleWindow(std::move(options));
        },
        random);
    showTitle = [&title] { title.show(); };

    // Controllers play along with the keyboard; without them nothing changes.
    ControllerInput controllers;
    if (controllers.start())
        ControllerScript::startFromEnvironment(controllers, &controllers);

    showTitle();
    const int status = app.exec();
    mci::closeAll();
    return status;
}
