// SPDX-License-Identifier: MIT
#include "battle/window/frmMain.h"
#include "shared/Forms.h"
#include "shared/modPublic.h"

#include "shared/Resources.h"

#include <QApplication>
#include <QFont>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mortavel"));
    QApplication::setOrganizationName(QStringLiteral("Mortavel"));

    // The forms name Windows faces; these are the free faces that match them.
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QApplication::setWindowIcon(AppIcon());

    ShowBattleForm = [] { ShowBattleWindow(); };

    // Until the title screen exists, a run is one battle with the stored settings.
    ReadSettings();
    ShowBattleForm();
    return app.exec();
}
