// SPDX-License-Identifier: MIT
#include "battle/window/frmMain.h"
#include "frontend/AppFonts.h"
#include "frontend/frmTitle.h"
#include "shared/Forms.h"
#include "shared/Mci.h"
#include "shared/Resources.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mortavel"));
    QApplication::setOrganizationName(QStringLiteral("Mortavel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("net.mortavel.Mortavel"));
    QApplication::setWindowIcon(AppIcon());
    InstallFontSubstitutes();

    // The title and the battle take turns; the run ends when the last one closes.
    ShowTitleForm = [] { frmTitle::ShowTitle(); };
    ShowBattleForm = [] { ShowBattleWindow(); };

    ShowTitleForm();
    const int status = app.exec();
    mci::closeAll();
    return status;
}
