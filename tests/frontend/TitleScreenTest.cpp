// SPDX-License-Identifier: MIT
#include "FrontendTestMain.h"

#include "ClickLabel.h"
#include "DataPaths.h"
#include "frmConfig.h"
#include "frmHighScore.h"
#include "frmTitle.h"
#include "GameRandom.h"
#include "Mci.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QStringEncoder>
#include <QTimer>

namespace {

// A score file whose first place of every list is "<name> t level".
void WriteScoreFile(const QString& path, const QString& name)
{
    QByteArray bytes;
    QStringEncoder cp932("CP932");
    for (int t = 0; t < 4; ++t)
        for (int level = 0; level < 3; ++level)
            for (int p = 0; p < 10; ++p) {
                const QString who =
                    p == 0 ? QStringLiteral("%1 %2 %3").arg(name).arg(t).arg(level) : QString();
                bytes += cp932.encode(QStringLiteral("%1\t%2\t%3\r\n")
                                          .arg(who)
                                          .arg(p == 0 ? 5000 : 0)
                                          .arg(p == 0 ? 37624.75 : 0));
            }
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class TitleScreenTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir root_;
    QString programDir_;
    QStringList commands_;
    int battlesShown_ = 0;
    GameSettings battleSettings_;
    GameRandom random_;
    TitleScreen titles_{[this](const GameSettings& settings, const HighScores&) {
                            ++battlesShown_;
                            battleSettings_ = settings;
                            // The battle opens while the title is still loaded.
                            QVERIFY(titles_.loaded());
                        },
                        random_};

    static void flushDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    static QPushButton* button(QWidget* form, const char* name)
    {
        return form->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QStringList commandsFor(const QString& alias) const
    {
        QStringList matching;
        for (const QString& c : commands_)
            if (c.contains(alias))
                matching << c;
        return matching;
    }
    frmTitle* load()
    {
        frmTitle* title = titles_.show();
        title->activateWindow();
        if (!QTest::qWaitForWindowActive(title))
            qWarning("title not active");
        return title;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(root_.isValid());
        // A path with a space, which the movie command must survive.
        programDir_ = root_.filePath(QStringLiteral("Mortavel Game"));
        QVERIFY(QDir().mkpath(programDir_ + QStringLiteral("/data")));
        QVERIFY(QFile::copy(QStringLiteral(MORTAVEL_SOURCE_DATA "/MVTitle.avi"),
                            programDir_ + QStringLiteral("/data/MVTitle.avi")));
        SetProgramDirForTesting(programDir_);
        mci::setCommandObserver([this](const QString& command, bool) { commands_ << command; });
    }

    void cleanupTestCase()
    {
        mci::setCommandObserver({});
        SetProgramDirForTesting(QString());
    }

    void init()
    {
        WriteScoreFile(programDir_ + QStringLiteral("/data/HSData.mvt"), QStringLiteral("山本"));
        QSettings store = UserStore();
        store.clear();
        store.sync();
        commands_.clear();
        battlesShown_ = 0;
    }

    void cleanup()
    {
        if (frmTitle* title = titles_.loaded())
            title->close();
        flushDeletes();
        QVERIFY(!titles_.loaded());
    }

    void versionText()
    {
        QCOMPARE(frmTitle::VersionText(1, 0, 0), QStringLiteral("1.00.0000"));
        QCOMPARE(frmTitle::VersionText(2, 13, 45), QStringLiteral("2.13.0045"));
        QCOMPARE(
            frmTitle::VersionText(),
            frmTitle::VersionText(MORTAVEL_VERSION_MAJOR, MORTAVEL_VERSION_MINOR, MORTAVEL_VERSION_PATCH));
    }

    void movieCommandQuotesThePath()
    {
        QCOMPARE(frmTitle::MovieOpenCommand(QStringLiteral("/opt/my games/data/MVTitle.avi"), 4242),
                 QStringLiteral("open \"/opt/my games/data/MVTitle.avi\" alias TITLE_AVI parent 4242 "
                                "style child notify"));
    }

    void loadHandlerRecordsReadsAndStartsTheMovie()
    {
        {
            QSettings store = UserStore();
            store.setValue(QStringLiteral("Config/EnemyMax"), QStringLiteral("7"));
            store.setValue(QStringLiteral("Config/TimeLimit"), QStringLiteral("200"));
            store.setValue(QStringLiteral("Config/GameLevel"), QStringLiteral("2"));
        }

        // When the movie is opened, everything before it has happened.
        bool readyAtOpen = false;
        mci::setCommandObserver([&](const QString& command, bool) {
            commands_ << command;
            if (command.startsWith(QStringLiteral("open")) && titles_.loaded())
                readyAtOpen = titles_.loaded()->isVisible() && titles_.loaded()->settings().TimeLimit == 150
                    && titles_.loaded()->scores().Table[3][2].PlayerName[0] == QStringLiteral("山本 3 2");
        });
        frmTitle* title = load();
        mci::setCommandObserver([this](const QString& command, bool) { commands_ << command; });

        QVERIFY(readyAtOpen);
        QSettings store = UserStore();
        QCOMPARE(store.value(QStringLiteral("UpdateInfo/ApplicationPath")).toString(), ProgramDir());
        QCOMPARE(store.value(QStringLiteral("UpdateInfo/CurrentVersion")).toString(),
                 frmTitle::VersionText());
        QCOMPARE(title->settings(), (GameSettings{7, 150, 2}));
        QCOMPARE(store.value(QStringLiteral("Config/TimeLimit")).toString(), QStringLiteral("150"));
        QCOMPARE(title->scores().Table[1][0].PlayerName[0], QStringLiteral("山本 1 0"));
        QCOMPARE(title->scores().Table[1][0].Score[0], 5000);

        auto* picTitle = title->findChild<QLabel*>(QStringLiteral("picTitle"));
        const QString open = QStringLiteral("open \"%1/data/MVTitle.avi\" alias TITLE_AVI parent %2 "
                                            "style child notify")
                                 .arg(programDir_)
                                 .arg(mci::windowHandle(picTitle));
        QCOMPARE(commands_, QStringList({open, QStringLiteral("play TITLE_AVI repeat")}));
        const auto movie = mci::status(QStringLiteral("TITLE_AVI"));
        QVERIFY(movie.has_value());
        QVERIFY(movie->repeat);
        QCOMPARE(movie->playCount, 1);
        QVERIFY(!QApplication::activeModalWidget());

        // One native window, the form's own: on Wayland every native child
        // becomes a surface of its own, placed apart from the form's layout.
        for (const QWidget* widget : title->findChildren<QWidget*>())
            QVERIFY2(!widget->testAttribute(Qt::WA_NativeWindow), qPrintable(widget->objectName()));
    }

    void withoutAMovieTheStillShows()
    {
        QVERIFY(QFile::rename(programDir_ + QStringLiteral("/data/MVTitle.avi"),
                              programDir_ + QStringLiteral("/data/moved.avi")));
        frmTitle* title = load();
        QVERIFY(QFile::rename(programDir_ + QStringLiteral("/data/moved.avi"),
                              programDir_ + QStringLiteral("/data/MVTitle.avi")));
        auto* picTitle = title->findChild<QLabel*>(QStringLiteral("picTitle"));
        QCOMPARE(picTitle->pixmap().size(), QSize(416, 251));
        QCOMPARE(picTitle->size(), QSize(416, 251));
        QVERIFY(!QApplication::activeModalWidget());
        // The buttons work as ever.
        QTest::keyClick(title, Qt::Key_Return);
        QCOMPARE(battlesShown_, 1);
    }

    void everyLoadReseedsTheRandomSource()
    {
        random_.seed(42);
        const double first = random_.Next();
        random_.seed(42);
        load();
        QVERIFY(random_.Next() != first);
    }

    void enterStartsABattleAndUnloadsTheTitle()
    {
        frmTitle* title = load();
        QTest::keyClick(title, Qt::Key_Return);
        QCOMPARE(battlesShown_, 1);
        QVERIFY(!titles_.loaded());
        QCOMPARE(commandsFor("TITLE_AVI").last(), QStringLiteral("close TITLE_AVI"));
        QVERIFY(!mci::status(QStringLiteral("TITLE_AVI")));
    }

    void enterPressesTheFocusedButton()
    {
        // Tabbed to 終了: Enter quits, it does not start a battle.
        frmTitle* title = load();
        QPushButton* end = button(title, "cmdEnd");
        end->setFocus();
        QTest::keyClick(end, Qt::Key_Return);
        flushDeletes();
        QCOMPARE(battlesShown_, 0);
        QVERIFY(!titles_.loaded());

        // Esc quits whichever button has the focus.
        title = load();
        QPushButton* start = button(title, "cmdStart");
        start->setFocus();
        QTest::keyClick(start, Qt::Key_Escape);
        flushDeletes();
        QCOMPARE(battlesShown_, 0);
        QVERIFY(!titles_.loaded());

        // The settings button with the focus opens the settings.
        title = load();
        QPushButton* config = button(title, "cmdConfig");
        config->setFocus();
        QString opened;
        QTimer::singleShot(0, [&opened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = modal->objectName();
                modal->close();
            }
        });
        QTest::keyClick(config, Qt::Key_Return);
        QCOMPARE(opened, QStringLiteral("frmConfig"));
        QCOMPARE(battlesShown_, 0);
        QVERIFY(titles_.loaded());
    }

    void everyWayOutClosesTheMovieOnce()
    {
        const std::function<void(frmTitle*)> ways[] = {
            [](frmTitle* t) { QTest::keyClick(t, Qt::Key_Escape); },
            [](frmTitle* t) { QTest::mouseClick(button(t, "cmdEnd"), Qt::LeftButton); },
            [this](frmTitle* t) {
                // The caption's own accelerator: Alt+E in Japanese, Alt+Q in English.
                QTest::keySequence(t, QKeySequence::mnemonic(button(t, "cmdEnd")->text()));
                QTRY_VERIFY(!titles_.loaded());
            },
            [](frmTitle* t) { t->close(); }, // the close box
        };
        for (const auto& way : ways) {
            commands_.clear();
            way(load());
            flushDeletes();
            QVERIFY(!titles_.loaded());
            QCOMPARE(commands_.count(QStringLiteral("close TITLE_AVI")), 1);
            QVERIFY(!mci::status(QStringLiteral("TITLE_AVI")));
        }
        QCOMPARE(battlesShown_, 0);
    }

    void dialogsOpenModallyOverTheTitle()
    {
        frmTitle* title = load();
        QString seen;
        QWidget* owner = nullptr;
        // Closes the first modal window that turns up.
        QTimer answer;
        answer.setInterval(10);
        connect(&answer, &QTimer::timeout, this, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                answer.stop();
                seen = modal->objectName();
                owner = modal->parentWidget();
                modal->close();
            }
        });
        answer.start();
        QTest::mouseClick(button(title, "cmdConfig"), Qt::LeftButton);
        QCOMPARE(seen, QStringLiteral("frmConfig"));
        QCOMPARE(owner, static_cast<QWidget*>(title));
        seen.clear();
        // The offscreen platform does not hand activation back to the owner.
        title->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(title));
        answer.start();
        QTest::keyClick(title, Qt::Key_H, Qt::AltModifier);
        QTRY_COMPARE(seen, QStringLiteral("frmHighScore"));
        QCOMPARE(owner, static_cast<QWidget*>(title));
        // The movie kept playing behind them.
        QVERIFY(title->isVisible());
        QCOMPARE(commandsFor("TITLE_AVI").size(), 2);
    }

    void buttonsSpeakTheGamesLanguage()
    {
        frmTitle* title = load();
        const struct {
            const char* name;
            const char* japanese;
            const char* english;
        } buttons[] = {{"cmdStart", "スタート(&S)...", "&Start..."},
                       {"cmdConfig", "設定(&C)...", "&Options..."},
                       {"cmdHS", "ハイスコア(&H)...", "&High Scores..."},
                       {"cmdEnd", "終了(&E)", "&Quit"}};
        for (const auto& b : buttons) {
            auto* button = title->findChild<QPushButton*>(QLatin1String(b.name));
            QVERIFY2(button, b.name);
            QCOMPARE(button->text(), testlang::pick(b.japanese, b.english));
            QVERIFY(!button->toolTip().isEmpty());
            // The caption fits the button of the design at its size.
            QVERIFY(button->fontMetrics().horizontalAdvance(button->text().remove(QLatin1Char('&')))
                    < button->width() - 8);
        }
        QCOMPARE(title->windowTitle(), QStringLiteral("Mortavel"));
        if (testlang::english())
            QCOMPARE(testlang::japaneseTexts(title), QStringList());
        QCOMPARE(testlang::clippedTexts(title), QStringList());
    }

    void copyrightLineOpensTheWebPage()
    {
        frmTitle* title = load();
        auto* label = title->findChild<ClickLabel*>(QStringLiteral("labCopyright"));
        QVERIFY(label->text().contains(QStringLiteral("Mortavel")));
        QVERIFY(label->text().contains(frmTitle::VersionText()));
        QCOMPARE(label->toolTip(), frmTitle::WebAddress);
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(label->font().family(), QStringLiteral("Times New Roman"));
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
        QCOMPARE(catcher.urls, QList<QUrl>({QUrl(frmTitle::WebAddress)}));
        // A double-click, as the window system delivers it, opens it once more, not twice.
        catcher.urls.clear();
        QTest::mouseDClick(title->windowHandle(), Qt::LeftButton, {},
                           label->mapTo(title, label->rect().center()));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.urls, QList<QUrl>({QUrl(frmTitle::WebAddress)}));
        QVERIFY(titles_.loaded());
    }

    void showingTheLoadedTitleDoesNotLoadItAgain()
    {
        frmTitle* title = load();
        QCOMPARE(titles_.show(), title);
        QCOMPARE(commandsFor("TITLE_AVI").size(), 2);
    }

    void returningFromABattleRunsTheWholeLoadAgain()
    {
        UserStore().setValue(QStringLiteral("Config/EnemyMax"), QStringLiteral("3"));
        load();
        QTest::keyClick(titles_.loaded(), Qt::Key_Return);
        flushDeletes();
        QCOMPARE(battlesShown_, 1);
        // The battle is played with the settings the title read.
        QCOMPARE(battleSettings_, (GameSettings{3, 150, 1}));
        // The battle saved a new ranking and the settings changed meanwhile.
        WriteScoreFile(programDir_ + QStringLiteral("/data/HSData.mvt"), QStringLiteral("古賀"));
        UserStore().setValue(QStringLiteral("Config/GameLevel"), QStringLiteral("0"));
        commands_.clear();
        // What the end of the battle does.
        titles_.show();
        QVERIFY(titles_.loaded());
        QCOMPARE(titles_.loaded()->scores().Table[2][1].PlayerName[0], QStringLiteral("古賀 2 1"));
        QCOMPARE(titles_.loaded()->settings(), (GameSettings{3, 150, 0}));
        QCOMPARE(commands_.size(), 2);
        QVERIFY(commands_[1] == QStringLiteral("play TITLE_AVI repeat"));
    }
};

FRONTEND_TEST_MAIN(TitleScreenTest)
#include "TitleScreenTest.moc"
