// SPDX-License-Identifier: MIT
// A virtual controller in every other window: the title, the settings, the
// viewer, the questions and the ranking's name box. The D-pad walks the
// focus, A presses, B cancels where there is a cancel button, Start presses
// the default one.

#include "PadRig.h"
#include "scorefile/TestSupport.h"
#include "window/WindowTestSupport.h"

#include "DataPaths.h"
#include "frmConfig.h"
#include "frmHighScore.h"
#include "frmMain.h"
#include "frmTitle.h"
#include "GameRandom.h"
#include "ManualClock.h"
#include "ReplayRandom.h"

#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using Timer = BattleUi::Timer;

namespace {

QString focusName()
{
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

// The names of the controls the focus visits, D-pad down (or up) each step,
// until it is back where it started.
QStringList walk(PadRig& rig, VirtualPad& pad, const char* button)
{
    QStringList visited{focusName()};
    for (int i = 0; i < 20; ++i) {
        rig.tap(pad, button);
        if (focusName() == visited.first())
            return visited;
        visited << focusName();
    }
    return visited << QStringLiteral("(never back)");
}

QStringList reversed(QStringList list)
{
    std::reverse(list.begin() + 1, list.end());
    return list;
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

class FormControllerTest : public QObject {
    Q_OBJECT

    int battlesShown_ = 0;
    GameRandom random_;
    TitleScreen titles_{[this](const GameSettings&, const HighScores&) { ++battlesShown_; }, random_};

private slots:
    void initTestCase() { wt::acknowledgeGaugeWarning(); }

    void init() { battlesShown_ = 0; }

    void titleWalksPressesAndStarts()
    {
        PadRig rig;
        VirtualPad pad;
        rig.input.pump();
        QPointer<frmTitle> title = titles_.show();
        QVERIFY(QTest::qWaitForWindowActive(title));
        QCOMPARE(focusName(), QStringLiteral("cmdStart"));
        const QStringList down = walk(rig, pad, "dpdown");
        QCOMPARE(down, QStringList({"cmdStart", "cmdConfig", "cmdHS", "cmdEnd"}));
        QCOMPARE(walk(rig, pad, "dpup"), reversed(down));
        QCOMPARE(walk(rig, pad, "dpright"), down);

        // B: the title has no cancel button, and stays.
        rig.tap(pad, "b");
        flushDeletes();
        QVERIFY(title && titles_.loaded());

        // A on 設定 opens the settings; B there closes them again.
        rig.tap(pad, "dpdown");
        QString opened;
        wt::onNextModal([&](QWidget* modal) {
            opened = modal->objectName();
            rig.tap(pad, "b");
        });
        rig.tap(pad, "a");
        QCOMPARE(opened, QStringLiteral("frmConfig"));
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(battlesShown_, 0);

        // Start is 開始, the default button, wherever the focus is.
        rig.tap(pad, "start");
        QCOMPARE(battlesShown_, 1);
        flushDeletes();
        QVERIFY(!title);

        // A on 終了 ends the game.
        title = titles_.show();
        QVERIFY(QTest::qWaitForWindowActive(title));
        rig.tap(pad, "dpup");
        QCOMPARE(focusName(), QStringLiteral("cmdEnd"));
        rig.tap(pad, "a");
        flushDeletes();
        QVERIFY(!title);
        QCOMPARE(battlesShown_, 1);
    }

    void settingsWalkChangeAndConfirm()
    {
        PadRig rig;
        VirtualPad pad;
        rig.input.pump();
        {
            frmConfig dialog{GameSettings{}};
            dialog.show();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            // OK and Update are off until something changes.
            const QStringList down = walk(rig, pad, "dpdown");
            QCOMPARE(down.first(), QStringLiteral("cmdQuit"));
            QCOMPARE(down, QStringList({"cmdQuit", "cmdDefault", "labTag(0)", "labTag(1)", "labTag(2)"}));
            QCOMPARE(walk(rig, pad, "dpup"), reversed(down));

            // Left and right on a row change its choice; at its end it stays.
            for (int i = 0; i < 3; ++i)
                rig.tap(pad, "dpdown");
            QCOMPARE(focusName(), QStringLiteral("labTag(1)"));
            rig.tap(pad, "dpright");
            QCOMPARE(dialog.choice(frmConfig::TimeRow), 2);
            rig.tap(pad, "dpright");
            rig.tap(pad, "dpright");
            QCOMPARE(dialog.choice(frmConfig::TimeRow), 3);
            QCOMPARE(focusName(), QStringLiteral("labTag(1)"));
            rig.tap(pad, "dpleft");
            QCOMPARE(dialog.choice(frmConfig::TimeRow), 2);
            QCOMPARE(dialog.settings().TimeLimit, 150); // chosen, not yet in force

            // Start presses OK, the default button.
            rig.tap(pad, "start");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.settings().TimeLimit, 180);
        }
        {
            frmConfig dialog{GameSettings{}};
            dialog.show();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            rig.tap(pad, "dpup");
            QCOMPARE(focusName(), QStringLiteral("labTag(2)"));
            rig.tap(pad, "dpleft");
            QCOMPARE(dialog.choice(frmConfig::LevelRow), 0);
            // B is 閉じる, the cancel button: the change is dropped.
            rig.tap(pad, "b");
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(dialog.settings().GameLevel, 1);
        }
        {
            // A presses the focused button: 閉じる.
            frmConfig dialog{GameSettings{}};
            dialog.show();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QCOMPARE(focusName(), QStringLiteral("cmdQuit"));
            rig.tap(pad, "a");
            QVERIFY(!dialog.isVisible());
        }
    }

    void viewerWalksOptionsAndClosesOnlyWithItsButton()
    {
        PadRig rig;
        VirtualPad pad;
        rig.input.pump();
        frmHighScore viewer{GameSettings{}, HighScoreTable{}};
        viewer.show();
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        const QString start = focusName();
        const QStringList down = walk(rig, pad, "dpdown");
        QVERIFY2(down.contains(QStringLiteral("cmdQuit")), qPrintable(down.join(' ')));
        QVERIFY(!down.contains(QStringLiteral("(never back)")));
        QCOMPARE(walk(rig, pad, "dpup"), reversed(down));

        // Left and right change the option that has the focus.
        auto* level = viewer.findChild<QRadioButton*>(QStringLiteral("optLevel(1)"));
        QVERIFY(level->isChecked());
        level->setFocus();
        rig.tap(pad, "dpright");
        QVERIFY(viewer.findChild<QRadioButton*>(QStringLiteral("optLevel(2)"))->isChecked());
        rig.tap(pad, "dpleft");
        rig.tap(pad, "dpleft");
        QVERIFY(viewer.findChild<QRadioButton*>(QStringLiteral("optLevel(0)"))->isChecked());

        // No cancel and no default button: B and Start do nothing.
        rig.tap(pad, "b");
        rig.tap(pad, "start");
        QVERIFY(viewer.isVisible());
        // A on 閉じる closes it.
        viewer.findChild<QPushButton*>(QStringLiteral("cmdQuit"))->setFocus();
        rig.tap(pad, "a");
        QVERIFY(!viewer.isVisible());
    }

    void messageBoxTakesAAndStart()
    {
        PadRig rig;
        VirtualPad pad;
        rig.input.pump();
        for (const char* button : {"a", "start"}) {
            QMessageBox box(QMessageBox::Warning, QStringLiteral("Mortavel"), QStringLiteral("!"),
                            QMessageBox::Ok);
            wt::onNextModal([&](QWidget* modal) {
                QVERIFY(QTest::qWaitForWindowActive(modal));
                rig.tap(pad, button);
            });
            QCOMPARE(box.exec(), int(QMessageBox::Ok));
        }
    }

    void rankingNameBoxTakesAAsOk_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("A") << QStringLiteral("a");
        QTest::newRow("Start") << QStringLiteral("start");
        QTest::newRow("B") << QStringLiteral("b");
    }

    void rankingNameBoxTakesAAsOk()
    {
        QFETCH(QString, button);
        QFile::remove(ScoreFilePath());
        PadRig rig;
        VirtualPad pad;
        rig.input.pump();

        ReplayRandom random;
        ManualClock clock{wt::ClockStart};
        MediaLog media;
        HighScores atTitle;
        QPointer<frmMain> form;
        form = wt::newBattleForm(random, clock, media, GameSettings{5, 120, 1}, {},
                                 [&] { atTitle = form->scores(); });
        form->show();
        form->battle().MutableState().Points = 1234;
        QString box;
        bool inTextBox = false;
        wt::onNextModal([&](QWidget* modal) {
            box = modal->metaObject()->className();
            // Offscreen windows may never be told active; the focus is read anyway.
            (void)QTest::qWaitForWindowActive(modal);
            inTextBox = qobject_cast<QLineEdit*>(modal->focusWidget()) != nullptr;
            rig.tap(pad, button.toLatin1().constData());
            if (modal->isVisible())
                qobject_cast<QDialog*>(modal)->reject();
        });
        random.Queue(0.99);
        clock.Set(form->battle().State().StartTime + form->battle().Settings().TimeLimit);
        clock.StepEveryRead(0.5);
        form->tick(Timer::tmrMain);
        flushDeletes();
        QCOMPARE(box, QStringLiteral("QInputDialog"));
        QVERIFY(inTextBox);
        QVERIFY(!form);
        // Entered under the name the game gives an empty one.
        QCOMPARE(atTitle.Table[0][1].Score[0], 1234);
        QCOMPARE(atTitle.Table[0][1].PlayerName[0], QStringLiteral("名無し少尉"));
    }
};

WINDOW_TEST_MAIN(FormControllerTest)
#include "FormControllerTest.moc"
