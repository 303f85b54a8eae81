// SPDX-License-Identifier: MIT
#pragma once

#include "BattleUi.h"
#include "GameSettings.h"
#include "i18n/TestLanguage.h"
#include "ManualClock.h"
#include "MediaLog.h"
#include "ScoreStorage.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class frmMain;
class QLabel;

namespace wt {
// Where the window tests' clocks start: far from 0, as a wall clock is.
inline constexpr double ClockStart = 100000;
} // namespace wt

namespace wt {

// A battle form under the test's control: the given random draws and clock,
// its timers run by hand, its media commands into media; showTitle stands
// for the title screen its end goes back to.
frmMain* newBattleForm(RandomSource& random, WallClock& clock, MediaLog& media,
                       const GameSettings& settings = {}, const HighScores& scores = {},
                       std::function<void()> showTitle = {});

// Runs action on the next modal dialog as soon as it is up (polling the
// event loop), so a test can answer a message box or an input box.
void onNextModal(std::function<void(QWidget*)> action);

// Presses and releases a key as the keyboard does: at the focused control of
// the form, or at the form itself when none of its controls has the focus.
void pressKey(frmMain* form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

QLabel* label(frmMain* form, const char* name);
QColor textColor(QLabel* label);

// The form's log lines, top to bottom.
QStringList logLines(frmMain* form);

// When the gauge library is missing, the first battle of a run says so in a
// message box; this answers it so the tests that follow are not held up.
void acknowledgeGaugeWarning();

// Sets up the process: offscreen platform unless told otherwise, settings
// and score files in a temporary folder, the game's font substitutions.
void prepareEnvironment();
void prepareApplication();

} // namespace wt

#define WINDOW_TEST_MAIN(TestClass)                                                                          \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        wt::prepareEnvironment();                                                                            \
        QApplication app(argc, argv);                                                                        \
        wt::prepareApplication();                                                                            \
        testlang::installFromSystem();                                                                       \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
