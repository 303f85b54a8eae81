// SPDX-License-Identifier: MIT
// The end of a battle in the real window: curtain, "Game Over", the ranking
// entry, the pause, the way back to the title and the quiet unload.
#include "WindowTestSupport.h"

#include "Curtain.h"
#include "DataPaths.h"
#include "frmMain.h"
#include "HighScoreFile.h"
#include "HighScoreRanking.h"
#include "HighScoreTable.h"
#include "PictureBox.h"
#include "ReplayRandom.h"
#include "scorefile/TestSupport.h"
#include "ScoreStorage.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLockFile>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <optional>

using Timer = BattleUi::Timer;

namespace {

// Closes every modal dialog that comes up, noting its title.
class ModalWatch {
public:
    ModalWatch()
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                titles << modal->windowTitle();
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->reject();
                else
                    modal->close();
            }
        });
        timer_.start();
    }
    QStringList titles;

private:
    QTimer timer_;
};

// The captions of a dialog's buttons, in their order on the form.
QStringList buttonCaptions(QWidget* dialog)
{
    QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    QStringList captions;
    for (QPushButton* button : buttons)
        captions << button->text().remove(QLatin1Char('&'));
    return captions;
}

// What the window looked like when it handed over to the title screen.
struct AtTitle {
    bool shown = false;
    bool gameOverVisible = false;
    QImage scene;
    QStringList log;
    double viewBearing = 0;
    bool closeRefused = false;
    bool timersOff = false;
    QStringList openBoxes; // message boxes still up when the title came back
};

struct Ending {
    ReplayRandom random;
    ManualClock clock{wt::ClockStart};
    MediaLog media;
    QPointer<frmMain> form;
    AtTitle atTitle;

    // Two minutes, so that the entries go to the first list of a level.
    // scores: the rankings as the title holds them; the battle's own copy
    // comes back into them when it hands over to the title.
    Ending(HighScores& scores, vb::Long points, GameSettings settings = {5, 120, 1})
    {
        const auto showTitle = [this, &scores] {
            atTitle.shown = true;
            scores = form->scores();
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (qobject_cast<QMessageBox*>(w) && w->isVisible())
                    atTitle.openBoxes << w->windowTitle();
            }
            atTitle.gameOverVisible = form->findChild<QLabel*>("labGameOver")->isVisible();
            atTitle.timersOff = !form->TimerEnabled(Timer::tmrMain) && !form->TimerEnabled(Timer::tmrTurn)
                && !form->TimerEnabled(Timer::tmrReload);
            atTitle.scene = form->findChild<PictureBox*>("picScene")->picture();
            // The player's commands do nothing any more.
            wt::pressKey(form, Qt::Key_Return);
            QTest::mouseClick(form->findChild<QPushButton*>("cmdFire"), Qt::LeftButton);
            QTest::mouseClick(form->findChild<QPushButton*>("cmdTurn"), Qt::LeftButton);
            QTest::mouseClick(form->findChild<PictureBox*>("picRader"), Qt::LeftButton, {}, QPoint(125, 65));
            atTitle.log = wt::logLines(form);
            atTitle.viewBearing = form->battle().State().ViewBearing;
            atTitle.closeRefused = !form->close() && !QApplication::activeModalWidget();
        };
        form = wt::newBattleForm(random, clock, media, settings, scores, showTitle);
        form->show();
        form->battle().MutableState().Points = points;
    }
    ~Ending() { delete form.data(); }

    // The main tick that finds the time up runs the whole end.
    void runOut()
    {
        lastTick();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void lastTick()
    {
        random.Queue(0.99); // no ship appears on the last tick
        clock.Set(form->battle().State().StartTime + form->battle().Settings().TimeLimit);
        // Every reading of the clock from here moves it: the pause runs out.
        clock.StepEveryRead(0.5);
        form->tick(Timer::tmrMain);
    }
};

// Admirals ranked on a spring evening of 2003.
HighScoreList listOf(std::initializer_list<vb::Long> scores)
{
    return testsupport::ListOf(scores, QStringLiteral("提督"), 37624.75);
}

QByteArray readScoreFile()
{
    QFile file(ScoreFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Another copy of the game enters a result in the file while this one plays.
QByteArray saveAsAnotherGame(int t, int level, const QString& name, vb::Long points)
{
    HighScoreTable table;
    HighScoreFile::Parse(readScoreFile(), table);
    HighScoreList& list = table[t][level];
    InsertRanking(list, RankingPlace(list, points), name, points, 40000.5);
    const QByteArray bytes = HighScoreFile::Serialize(table);
    QFile file(ScoreFilePath());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("the other game's save failed");
    return bytes;
}

// Enters name in the entry box, then notes the message box that follows.
struct EntryThenMessage {
    QString text, details;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool shown = false;

    explicit EntryThenMessage(const QString& name)
    {
        wt::onNextModal([this, name](QWidget* modal) {
            auto* dialog = qobject_cast<QInputDialog*>(modal);
            QVERIFY(dialog);
            dialog->setTextValue(name);
            dialog->accept();
            wt::onNextModal([this](QWidget* next) {
                auto* box = qobject_cast<QMessageBox*>(next);
                QVERIFY(box);
                shown = true;
                text = box->text();
                details = box->informativeText();
                icon = box->icon();
                box->accept();
            });
        });
    }
};

} // namespace

class EndBattleTest : public QObject {
    Q_OBJECT

    // The rankings as the title holds them.
    HighScores scores_;

private slots:
    void initTestCase() { wt::acknowledgeGaugeWarning(); }

    void init()
    {
        scores_ = HighScores{};
        QFile::remove(ScoreFilePath());
    }

    void curtainColoursRunFromEdgeToMiddle()
    {
        QCOMPARE(curtain::Color(0, 3600), QColor(150, 150, 168)); // 167.5 rounds to even
        QCOMPARE(curtain::Color(900, 3600), QColor(115, 115, 124));
        QCOMPARE(curtain::Color(1800, 3600), QColor(80, 80, 80));
        QCOMPARE(curtain::StepTwips(15), 5);
        QCOMPARE(curtain::StepTwips(1), 1); // never a step of 0
    }

    void qualifyingScoreIsEnteredAndSaved()
    {
        scores_.Table[0][1] = listOf({5000, 3000, 1234, 1000, 900, 800, 700, 600, 500, 400});
        QVERIFY(SaveHighScores(scores_)); // the table as the title loaded it
        Ending e(scores_, 1234);
        QString prompt, title, initial;
        QStringList buttons;
        wt::onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QInputDialog*>(modal);
            QVERIFY(dialog);
            title = dialog->windowTitle();
            prompt = dialog->labelText();
            initial = dialog->textValue();
            buttons = buttonCaptions(dialog);
            dialog->setTextValue(QStringLiteral("テスト提督"));
            dialog->accept();
        });
        const auto mediaBefore = e.media.commands.size();
        e.runOut();

        QCOMPARE(title, testlang::pick("ハイスコア登録", "New High Score"));
        QCOMPARE(prompt,
                 testlang::pick("ランキング入りしました！\nお名前を入力してください（12文字まで）",
                                "You have made the ranking!\nEnter your name (up to 12 characters)"));
        QCOMPARE(initial, QString());
        QCOMPARE(buttons, QStringList({QStringLiteral("OK"), testlang::pick("キャンセル", "Cancel")}));

        // Directly below the strictly better, above the older equal score.
        const HighScoreList& list = scores_.Table[0][1];
        QCOMPARE(list.PlayerName[2], QStringLiteral("テスト提督"));
        QCOMPARE(list.Score[2], 1234);
        QVERIFY(list.EntryDate[2] > 40000);
        QCOMPARE(list.PlayerName[3], QStringLiteral("提督2"));
        QCOMPARE(list.Score[9], 500); // the old tenth place is gone

        // Saved at once: a fresh load finds the entry.
        testsupport::ClearTable(scores_.Table);
        scores_ = LoadHighScores();
        QCOMPARE(scores_.Table[0][1].PlayerName[2], QStringLiteral("テスト提督"));

        // Frozen, curtained and announced before the title came back.
        QVERIFY(e.atTitle.shown);
        QVERIFY(e.atTitle.gameOverVisible);
        QVERIFY(e.atTitle.timersOff);
        QCOMPARE(e.media.since(mediaBefore),
                 (std::vector<std::string>{"stop FIRE_SND", "seek FIRE_SND to start", "stop TURN_SND",
                                           "seek TURN_SND to start", "close TURN_SND", "close FIRE_SND"}));

        // Commands during the pause had no effect, the close box was refused quietly.
        QVERIFY(!e.atTitle.log.contains(testlang::pick("発射！！", "Fire!!")));
        QVERIFY(!e.atTitle.log.join(QString()).contains(testlang::pick("砲塔旋回", "Turret training")));
        QCOMPARE(e.atTitle.viewBearing, 0.0);
        QVERIFY(e.atTitle.closeRefused);

        // And then the form went without asking.
        QVERIFY(!e.form);
    }

    void curtainCoversTheScene()
    {
        Ending e(scores_, 0);
        ModalWatch watch; // the entry box, answered with Cancel
        e.runOut();
        const QImage& scene = e.atTitle.scene;
        QCOMPARE(scene.size(), QSize(400, 240));
        QCOMPARE(scene.pixelColor(200, 120), QColor(80, 80, 80));
        // Three passes a pixel row: the row keeps the colour of its last pass.
        QCOMPARE(scene.pixelColor(0, 0), curtain::Color(5, 3600));
        QCOMPARE(scene.pixelColor(399, 239), curtain::Color(20, 3600));
        for (int row = 1; row < 120; ++row) {
            const QColor c = scene.pixelColor(0, row);
            QCOMPARE(scene.pixelColor(399, row), c);                // whole rows
            QCOMPARE(scene.pixelColor(123, 240 - row), c);          // both halves alike
            QVERIFY(c.red() <= scene.pixelColor(0, row - 1).red()); // darker inwards
        }
    }

    void cancelledOrEmptyNameBecomesNameless()
    {
        // An empty list takes even 0 points, at the top.
        {
            Ending e(scores_, 0);
            ModalWatch watch;
            e.runOut();
            QCOMPARE(watch.titles, QStringList({testlang::pick("ハイスコア登録", "New High Score")}));
            QCOMPARE(scores_.Table[0][1].PlayerName[0], QStringLiteral("名無し少尉"));
            QCOMPARE(scores_.Table[0][1].Score[0], 0);
        }
        {
            Ending e(scores_, 10);
            wt::onNextModal([](QWidget* modal) { qobject_cast<QInputDialog*>(modal)->accept(); });
            e.runOut();
            QCOMPARE(scores_.Table[0][1].PlayerName[0], QStringLiteral("名無し少尉"));
            QCOMPARE(scores_.Table[0][1].Score[0], 10);
        }
        {
            Ending e(scores_, 20);
            wt::onNextModal([](QWidget* modal) {
                auto* dialog = qobject_cast<QInputDialog*>(modal);
                dialog->setTextValue(QStringLiteral("一二三四五六七八九十壱弐参"));
                dialog->accept();
            });
            e.runOut();
            QCOMPARE(scores_.Table[0][1].PlayerName[0], QStringLiteral("一二三四五六七八九十壱弐"));
        }
    }

    void timeRunsOutWhileTheCloseQuestionIsOpen()
    {
        // The close box is pressed a moment before the end: the question is
        // up when the last main tick comes, inside the question's own loop.
        Ending e(scores_, 0);
        QString question;
        std::optional<ModalWatch> watch;
        wt::onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            question = box->windowTitle();
            e.lastTick();
            // Whatever is still asked from here on is cancelled.
            watch.emplace();
        });
        const auto mediaBefore = e.media.commands.size();
        QVERIFY(!e.form->close());
        QCOMPARE(question, testlang::pick("終了確認", "Quit Game"));

        QTRY_VERIFY(e.atTitle.shown);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // The question was answered No before the end went on, as usual.
        QVERIFY(e.atTitle.openBoxes.isEmpty());
        QCOMPARE(watch->titles, QStringList({testlang::pick("ハイスコア登録", "New High Score")}));
        QCOMPARE(scores_.Table[0][1].PlayerName[0], QStringLiteral("名無し少尉"));
        QVERIFY(e.atTitle.gameOverVisible);
        QVERIFY(!e.form);
        const auto media = e.media.since(mediaBefore);
        QCOMPARE(std::count(media.begin(), media.end(), std::string("close TURN_SND")), 1);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void entryBoxButtonsWithoutQtsTranslation()
    {
        // Without Qt's own file the game names OK and Cancel itself.
        const auto language = GameLanguage::current();
        GameLanguage::install(language, QStringLiteral("/nonexistent"));
        QStringList buttons;
        {
            Ending e(scores_, 0);
            wt::onNextModal([&buttons](QWidget* modal) {
                auto* dialog = qobject_cast<QInputDialog*>(modal);
                QVERIFY(dialog);
                buttons = buttonCaptions(dialog);
                dialog->reject();
            });
            e.runOut();
        }
        GameLanguage::install(language);
        QCOMPARE(buttons, QStringList({QStringLiteral("OK"), testlang::pick("キャンセル", "Cancel")}));
    }

    void failedSaveIsReported()
    {
        // A folder where the score file should be: nothing can be written.
        QVERIFY(QDir().mkpath(ScoreFilePath()));
        Ending e(scores_, 100);
        QString warning;
        wt::onNextModal([&warning](QWidget* modal) {
            auto* dialog = qobject_cast<QInputDialog*>(modal);
            QVERIFY(dialog);
            dialog->setTextValue(QStringLiteral("保存失敗"));
            dialog->accept();
            wt::onNextModal([&warning](QWidget* next) {
                auto* box = qobject_cast<QMessageBox*>(next);
                QVERIFY(box);
                warning = box->text();
                QCOMPARE(box->icon(), QMessageBox::Warning);
                box->accept();
            });
        });
        e.runOut();
        QDir(ScoreFilePath()).removeRecursively();
        QCOMPARE(warning,
                 testlang::pick("ハイスコアを保存できませんでした。", "The high scores could not be saved."));
        // The entry stays in this run's table, and the battle still ends.
        QCOMPARE(scores_.Table[0][1].PlayerName[0], QStringLiteral("保存失敗"));
        QVERIFY(e.atTitle.shown);
        QVERIFY(!e.form);
    }

    void entryAnotherGameSavedMeanwhileStaysInTheFile()
    {
        scores_.Table[0][1] = listOf({5000, 3000, 1234, 1000, 900, 800, 700, 600, 500, 400});
        QVERIFY(SaveHighScores(scores_));
        // Both games loaded this table at their titles; the other one saved first.
        saveAsAnotherGame(0, 1, QStringLiteral("AAA"), 2000);
        saveAsAnotherGame(2, 0, QStringLiteral("別の表"), 100);
        Ending e(scores_, 2000);
        wt::onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<QInputDialog*>(modal);
            QVERIFY(dialog);
            dialog->setTextValue(QStringLiteral("BBB"));
            dialog->accept();
        });
        e.runOut();
        QVERIFY(!QApplication::activeModalWidget());

        const HighScoreList inMemory = scores_.Table[0][1];
        testsupport::ClearTable(scores_.Table);
        scores_ = LoadHighScores();
        const HighScoreList& list = scores_.Table[0][1];
        QCOMPARE(list.PlayerName[1], QStringLiteral("提督1"));
        QCOMPARE(list.PlayerName[2], QStringLiteral("BBB")); // the later of two equal scores on top
        QCOMPARE(list.PlayerName[3], QStringLiteral("AAA"));
        QCOMPARE(list.PlayerName[4], QStringLiteral("提督2"));
        QCOMPARE(list.Score[9], 600);
        QCOMPARE(scores_.Table[2][0].PlayerName[0], QStringLiteral("別の表"));
        // The viewer shows both entries too.
        for (int p = 0; p < 10; ++p) {
            QCOMPARE(inMemory.PlayerName[p], list.PlayerName[p]);
            QCOMPARE(inMemory.Score[p], list.Score[p]);
        }
        QVERIFY(e.atTitle.shown);
    }

    void entryPushedOutMeanwhileIsNotWrittenAndThePlayerIsTold()
    {
        scores_.Table[0][1] = listOf({900, 800, 700, 600, 500, 500, 500, 500, 500, 400});
        QVERIFY(SaveHighScores(scores_));
        for (int i = 0; i < 10; ++i)
            saveAsAnotherGame(0, 1, QStringLiteral("強者%1").arg(i), 1000 + i);
        const QByteArray theirs = readScoreFile();
        Ending e(scores_, 450);
        EntryThenMessage answer(QStringLiteral("遅参"));
        e.runOut();
        QVERIFY(answer.shown);
        QCOMPARE(answer.text,
                 testlang::pick("今回のスコアはランキングに残りませんでした。",
                                "This score did not stay in the ranking."));
        QCOMPARE(answer.details,
                 testlang::pick("このゲームの間に、別に起動しているゲームがより良いスコアを保存しました。",
                                "Another running copy of the game saved better scores meanwhile."));
        QCOMPARE(answer.icon, QMessageBox::Information);
        QCOMPARE(readScoreFile(), theirs);
        QCOMPARE(scores_.Table[0][1].PlayerName[9], QStringLiteral("強者0"));
        QVERIFY(e.atTitle.shown);
        QVERIFY(!e.form);
    }

    void saveThatCannotHaveTheLockSaysWhy()
    {
        // Another game hangs while it holds the lock.
        QLockFile hung(ScoreFilePath() + QStringLiteral(".lock"));
        QVERIFY(hung.tryLock(0));
        Ending e(scores_, 100);
        EntryThenMessage answer(QStringLiteral("待機"));
        QElapsedTimer clock;
        clock.start();
        e.runOut();
        QVERIFY(clock.elapsed() >= 5000);
        QVERIFY(answer.shown);
        QCOMPARE(answer.icon, QMessageBox::Warning);
        QCOMPARE(answer.text,
                 testlang::pick("ハイスコアを保存できませんでした。", "The high scores could not be saved."));
        QVERIFY2(answer.details.contains(ScoreFilePath()), qPrintable(answer.details));
        QVERIFY2(answer.details.contains(testlang::pick("応答しません", "not responding")),
                 qPrintable(answer.details));
        QVERIFY(!QFile::exists(ScoreFilePath()));
        QCOMPARE(scores_.Table[0][1].PlayerName[0], QStringLiteral("待機"));
    }

    void noEntryBelowTheTenthPlace()
    {
        scores_.Table[0][1] = listOf({900, 800, 700, 600, 500, 500, 500, 500, 500, 500});
        const HighScoreList before = scores_.Table[0][1];
        Ending e(scores_, 499);
        ModalWatch watch;
        e.runOut();
        QVERIFY(watch.titles.isEmpty());
        QVERIFY(scores_.Table[0][1] == before);
        QVERIFY(!QFile::exists(ScoreFilePath()));
        QVERIFY(e.atTitle.shown);
        QVERIFY(!e.form);
    }

    void unknownSettingsSkipTheRanking_data()
    {
        QTest::addColumn<int>("timeLimit");
        QTest::addColumn<int>("level");
        QTest::newRow("limit below") << 90 << 1;
        QTest::newRow("limit between") << 135 << 1;
        QTest::newRow("limit above") << 240 << 1;
        QTest::newRow("level above") << 150 << 3;
        QTest::newRow("level below") << 150 << -1;
    }

    void unknownSettingsSkipTheRanking()
    {
        QFETCH(int, timeLimit);
        QFETCH(int, level);
        Ending e(scores_, 100000,
                 GameSettings{5, static_cast<vb::Integer>(timeLimit), static_cast<vb::Integer>(level)});
        ModalWatch watch;
        e.runOut();
        QVERIFY(watch.titles.isEmpty());
        QVERIFY(e.atTitle.shown);
        QVERIFY(!e.form);
    }
};

WINDOW_TEST_MAIN(EndBattleTest)
#include "EndBattleTest.moc"
