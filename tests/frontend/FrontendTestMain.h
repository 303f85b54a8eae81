// SPDX-License-Identifier: MIT
#pragma once

#include "AppFonts.h"
#include "i18n/TestLanguage.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// Every test program gets a settings store and a data home of its own before
// anything reads them, and never touches the real user's files.
#define FRONTEND_TEST_MAIN(TestClass)                                                                        \
    int main(int argc, char* argv[])                                                                         \
    {                                                                                                        \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                  \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                         \
        QTemporaryDir home;                                                                                  \
        if (!home.isValid())                                                                                 \
            return 2;                                                                                        \
        QDir(home.path()).mkpath(QStringLiteral("config"));                                                  \
        QDir(home.path()).mkpath(QStringLiteral("data"));                                                    \
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));              \
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));                  \
        QApplication app(argc, argv);                                                                        \
        InstallFontSubstitutes();                                                                            \
        testlang::installFromSystem();                                                                       \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }

inline QSettings UserStore()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Mortavel"),
                     QStringLiteral("Mortavel"));
}
