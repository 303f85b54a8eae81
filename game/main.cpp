// SPDX-License-Identifier: MIT
#include "AppFonts.h"
#include "ControllerInput.h"
#include "ControllerScript.h"
#include "frmMain.h"
#include "frmTitle.h"
#include "GameLanguage.h"
#include "Mci.h"
#include "Resources.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

#include <cstdio>

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

    // The title and the battle take turns; the run ends when the last one closes.
    const std::function<void()> showTitle = [] { frmTitle::ShowTitle(); };
    ShowBattleForm = [&showTitle](const GameSettings& settings, const HighScores& scores) {
        frmMain::Options options;
        options.settings = settings;
        options.scores = scores;
        options.showTitle = showTitle;
        ShowBattleWindow(std::move(options));
    };

    // Controllers play along with the keyboard; without them nothing changes.
    ControllerInput controllers;
    if (controllers.start())
        ControllerScript::startFromEnvironment(controllers, &controllers);

    showTitle();
    const int status = app.exec();
    mci::closeAll();
    return status;
}
