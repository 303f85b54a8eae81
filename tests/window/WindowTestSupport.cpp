// SPDX-License-Identifier: MIT
#include "WindowTestSupport.h"

#include "DataPaths.h"
#include "frmMain.h"
#include "VelPrgBarLoader.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace wt {

frmMain* newBattleForm(RandomSource& random, WallClock& clock, MediaLog& media, const GameSettings& settings,
                       const HighScores& scores, std::function<void()> showTitle)
{
    frmMain::Options options;
    options.random = &random;
    options.clock = &clock;
    options.manualTimers = true;
    options.media = media.sink();
    options.settings = settings;
    options.scores = scores;
    options.showTitle = std::move(showTitle);
    return new frmMain(options);
}

void onNextModal(std::function<void(QWidget*)> action)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, poll] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            action(modal);
            *poll = nullptr; // break the cycle
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

void pressKey(frmMain* form, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* focused = QApplication::focusWidget();
    QWidget* target = (focused && (focused == form || form->isAncestorOf(focused))) ? focused : form;
    QTest::keyClick(target, key, modifiers);
}

QLabel* label(frmMain* form, const char* name)
{
    return form->findChild<QLabel*>(QLatin1String(name));
}

QColor textColor(QLabel* label)
{
    return label->palette().color(QPalette::WindowText);
}

QStringList logLines(frmMain* form)
{
    QStringList lines;
    for (const char* name : {"labMessage0", "labMessage1", "labMessage2"})
        lines << label(form, name)->text();
    return lines;
}

void acknowledgeGaugeWarning()
{
    if (VelPrgBarLoader::api())
        return;
    bool answered = false;
    onNextModal([&answered](QWidget* modal) {
        answered = true;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->accept();
        else
            modal->close();
    });
    frmMain::Options options;
    options.manualTimers = true;
    options.media = [](const std::string&) {};
    auto* form = new frmMain(options);
    delete form;
    // Let the poll run out whether or not a box came.
    QTest::qWait(30);
}

void prepareEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath(QStringLiteral("share")).toUtf8());
    QDir(home.path()).mkpath(QStringLiteral("program/data"));
    SetProgramDirForTesting(QDir(home.path()).filePath(QStringLiteral("program")));
}

void prepareApplication()
{
    QApplication::setQuitOnLastWindowClosed(false);
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}

} // namespace wt
