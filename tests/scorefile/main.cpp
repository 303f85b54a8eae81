// SPDX-License-Identifier: MIT
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // The settings store and the per-user data folder must point into a
    // folder of our own before Qt first looks them up: Qt caches them.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    const QByteArray config = QDir(home.path()).filePath(QStringLiteral("config")).toLocal8Bit();
    const QByteArray data = QDir(home.path()).filePath(QStringLiteral("share")).toLocal8Bit();
    setenv("XDG_CONFIG_HOME", config.constData(), 1);
    setenv("XDG_DATA_HOME", data.constData(), 1);

    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
