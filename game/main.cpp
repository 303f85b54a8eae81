// SPDX-License-Identifier: MIT
#include "battle/window/frmMain.h"
#include "frontend/frmTitle.h"
#include "shared/AppFonts.h"
#include "shared/Forms.h"
#include "shared/Mci.h"
#include "shared/Resources.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Everything is drawn with QPainter, the movie included. Left alone, the
    // X11 platform loads an OpenGL stack for the video output that then goes
    // unused (Mesa's llvmpipe: some 60 MB). A player's own choice stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");

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
