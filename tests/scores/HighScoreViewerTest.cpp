// SPDX-License-Identifier: MIT
#include "frontend/FrontendTestMain.h"

#include "frmHighScore.h"
#include "HighScoreTable.h"

#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

#include <memory>

namespace {

// 3 January 2003 18:30:15.
constexpr double Jan3rd2003 = 37624.7710069444;

// A list whose every place says which list and place it is.
void FillDistinct(HighScoreTable& table)
{
    for (int t = 0; t < 4; ++t)
        for (int level = 0; level < 3; ++level) {
            HighScoreList& list = table[t][level];
            for (int p = 0; p < 10; ++p) {
                list.PlayerName[p] = QStringLiteral("提督%1-%2-%3").arg(t).arg(level).arg(p);
                list.Score[p] = 10000 * (t + 1) + 1000 * (level + 1) - 10 * p;
                list.EntryDate[p] = 37000 + t * 100 + level * 10 + p;
            }
        }
}

} // namespace

class HighScoreViewerTest : public QObject {
    Q_OBJECT

private:
    // The rankings as the title holds them.
    HighScoreTable table_;

    std::unique_ptr<frmHighScore> open(const GameSettings& settings = {})
    {
        auto viewer = std::make_unique<frmHighScore>(settings, table_);
        viewer->show();
        viewer->activateWindow();
        if (!QTest::qWaitForWindowActive(viewer.get()))
            qWarning("viewer not exposed");
        return viewer;
    }
    static QTableWidget* grid(QWidget* viewer) { return viewer->findChild<QTableWidget*>("fxgRank"); }
    static QStringList row(QWidget* viewer, int r)
    {
        QStringList cells;
        for (int c = 0; c < grid(viewer)->columnCount(); ++c)
            cells << grid(viewer)->item(r, c)->text();
        return cells;
    }
    static QRadioButton* option(QWidget* viewer, const QString& name)
    {
        return viewer->findChild<QRadioButton*>(name);
    }

private slots:
    void init() { FillDistinct(table_); }

    void formatStringGivesHeadersAndAlignment()
    {
        const auto columns = frmHighScore::ParseFormatString(QStringLiteral("<順位|^中|>右|無|"));
        QCOMPARE(columns.size(), 5);
        QCOMPARE(columns[0].header, QStringLiteral("順位"));
        QCOMPARE(columns[0].alignment & Qt::AlignHorizontal_Mask, Qt::Alignment(Qt::AlignLeft));
        QCOMPARE(columns[1].header, QStringLiteral("中"));
        QCOMPARE(columns[1].alignment & Qt::AlignHorizontal_Mask, Qt::Alignment(Qt::AlignHCenter));
        QCOMPARE(columns[2].alignment & Qt::AlignHorizontal_Mask, Qt::Alignment(Qt::AlignRight));
        QCOMPARE(columns[3].header, QStringLiteral("無"));
        QCOMPARE(columns[4].header, QString());
    }

    void gridHeaderKeepsItsWideningSpaces()
    {
        auto viewer = open();
        QTableWidget* g = grid(viewer.get());
        QCOMPARE(g->columnCount(), 4);
        QCOMPARE(g->horizontalHeaderItem(0)->text(), testlang::pick("順位", "No."));
        QCOMPARE(g->horizontalHeaderItem(1)->text(),
                 testlang::pick("得点", "Score") + QString(4, QChar(0x3000)));
        QCOMPARE(g->horizontalHeaderItem(2)->text(),
                 testlang::pick("名前", "Name") + QString(11, QChar(0x3000)));
        QCOMPARE(g->horizontalHeaderItem(3)->text(),
                 testlang::pick("日時", "Date") + QString(15, QChar(0x3000)));
        // The spaces make the columns wider than their words.
        const QFontMetrics metrics(g->font());
        QVERIFY(g->columnWidth(1) >= metrics.horizontalAdvance(QStringLiteral("得点　　　　")));
        QVERIFY(g->columnWidth(1) > 2 * g->columnWidth(0));
        QVERIFY(g->columnWidth(2) > g->columnWidth(1));
        QVERIFY(g->columnWidth(3) > g->columnWidth(2));
        // All ten places show at once; only the wide columns scroll sideways.
        QCOMPARE(g->verticalScrollBar()->maximum(), 0);
        QVERIFY(g->rowHeight(0) >= metrics.height());
        // The date of a full entry fits its column.
        QVERIFY(g->columnWidth(3)
                > metrics.horizontalAdvance(testlang::pick("03年12月30日 18:30", "30 Dec 2003 18:30")));
        // Columns are as wide in every language, and each header word fits its column.
        const int widths[4] = {g->columnWidth(0), g->columnWidth(1), g->columnWidth(2), g->columnWidth(3)};
        QCOMPARE(widths[0], metrics.horizontalAdvance(QStringLiteral("順位")) + 4);
        for (int c = 0; c < 4; ++c) {
            const QString word = g->horizontalHeaderItem(c)->text().trimmed();
            QVERIFY2(metrics.horizontalAdvance(word) + 4 <= widths[c], qPrintable(word));
        }
        if (testlang::english())
            QCOMPARE(testlang::japaneseTexts(viewer.get()), QStringList());
        QCOMPARE(testlang::clippedTexts(viewer.get()), QStringList());
    }

    void opensOnTheListOfTheSettings()
    {
        auto viewer = open(GameSettings{5, 180, 2});
        QCOMPARE(viewer->windowTitle(), testlang::pick("Mortavel - ハイスコア", "Mortavel - High Scores"));
        QCOMPARE(viewer->size(), QSize(461, 269));
        QVERIFY(option(viewer.get(), "optLevel(2)")->isChecked());
        QVERIFY(option(viewer.get(), "optTime(2)")->isChecked());
        QCOMPARE(int(viewer->levelIndex()), 2);
        QCOMPARE(int(viewer->timeIndex()), 2);
        QCOMPARE(grid(viewer.get())->rowCount(), 10);
        QCOMPARE(row(viewer.get(), 0)[2], QStringLiteral("提督2-2-0"));
        QCOMPARE(row(viewer.get(), 9)[2], QStringLiteral("提督2-2-9"));
    }

    void rowsShowPlaceScoreNameAndDate()
    {
        HighScoreList& list = table_[1][1];
        list = HighScoreList{};
        list.PlayerName[0] = QStringLiteral("東郷");
        list.Score[0] = 2150;
        list.EntryDate[0] = Jan3rd2003;
        // Equal scores stay in the order they stand.
        list.PlayerName[1] = QStringLiteral("乙");
        list.Score[1] = 900;
        list.EntryDate[1] = 37000.5;
        list.PlayerName[2] = QStringLiteral("甲");
        list.Score[2] = 900;
        list.EntryDate[2] = 37001;
        auto viewer = open();
        QCOMPARE(row(viewer.get(), 0),
                 QStringList({"1", "2150", "東郷", testlang::pick("03年1月3日 18:30", "3 Jan 2003 18:30")}));
        QCOMPARE(row(viewer.get(), 1)[2], QStringLiteral("乙"));
        QCOMPARE(row(viewer.get(), 2)[2], QStringLiteral("甲"));
        // Places never filled: empty name, 0 and day 0 of the date scale.
        for (int r = 3; r < 10; ++r)
            QCOMPARE(row(viewer.get(), r),
                     QStringList({QString::number(r + 1), "0", "",
                                  testlang::pick("99年12月30日 0:00", "30 Dec 1899 0:00")}));
    }

    void placesReadOneToTenWhateverTheScores()
    {
        HighScoreList& list = table_[1][1];
        for (int p = 0; p < 10; ++p)
            list.Score[p] = p % 2 ? -5 : 0;
        auto viewer = open();
        for (int r = 0; r < 10; ++r)
            QCOMPARE(grid(viewer.get())->item(r, 0)->text(), QString::number(r + 1));
    }

    void firstPlaceStandsOutInRedOnPaleYellow()
    {
        auto viewer = open();
        QTableWidget* g = grid(viewer.get());
        for (int c = 0; c < 4; ++c) {
            QCOMPARE(g->item(0, c)->foreground().color(), QColor(255, 0, 0));
            QCOMPARE(g->item(0, c)->background().color(), QColor(255, 255, 192));
            QCOMPARE(g->item(1, c)->foreground().style(), Qt::NoBrush);
            QCOMPARE(g->item(1, c)->background().style(), Qt::NoBrush);
        }
        // Still so after the list changes.
        option(viewer.get(), "optTime(3)")->click();
        QCOMPARE(g->item(0, 2)->background().color(), QColor(255, 255, 192));
        QCOMPARE(g->item(5, 2)->background().style(), Qt::NoBrush);
    }

    void switchingOptionsShowsThatListAtOnce()
    {
        auto viewer = open();
        QCOMPARE(row(viewer.get(), 0)[2], QStringLiteral("提督1-1-0"));
        option(viewer.get(), "optLevel(0)")->click();
        QCOMPARE(int(viewer->levelIndex()), 0);
        QCOMPARE(row(viewer.get(), 0)[2], QStringLiteral("提督1-0-0"));
        option(viewer.get(), "optTime(3)")->click();
        QCOMPARE(int(viewer->timeIndex()), 3);
        QCOMPARE(row(viewer.get(), 4)[2], QStringLiteral("提督3-0-4"));
        QCOMPARE(row(viewer.get(), 4)[1], QString::number(table_[3][0].Score[4]));
        QCOMPARE(grid(viewer.get())->rowCount(), 10);
        option(viewer.get(), "optLevel(1)")->click();
        option(viewer.get(), "optTime(1)")->click();
        QCOMPARE(row(viewer.get(), 0)[2], QStringLiteral("提督1-1-0"));
        QCOMPARE(row(viewer.get(), 9)[2], QStringLiteral("提督1-1-9"));
        // Only one option of each group is on.
        int on = 0;
        for (int i = 0; i < 4; ++i)
            on += option(viewer.get(), QStringLiteral("optTime(%1)").arg(i))->isChecked();
        QCOMPARE(on, 1);
    }

    void namesAreShownAsPlainText()
    {
        table_[1][1].PlayerName[0] = QStringLiteral("<b>太字</b>&amp;");
        auto viewer = open();
        QTableWidgetItem* item = grid(viewer.get())->item(0, 2);
        QCOMPARE(item->text(), QStringLiteral("<b>太字</b>&amp;"));
        QVERIFY(!(item->flags() & Qt::ItemIsEditable));
    }

    void viewerNeverChangesTheTable()
    {
        const QString before = table_[2][0].PlayerName[3];
        auto viewer = open();
        option(viewer.get(), "optTime(2)")->click();
        option(viewer.get(), "optLevel(0)")->click();
        viewer->findChild<QPushButton*>("cmdQuit")->click();
        QVERIFY(!viewer->isVisible());
        QCOMPARE(table_[2][0].PlayerName[3], before);
    }

    void enterPressesOnlyTheFocusedButton()
    {
        // On an option or the grid, Enter presses nothing: there is no default button.
        auto viewer = open();
        QRadioButton* level = option(viewer.get(), QStringLiteral("optLevel(2)"));
        QVERIFY(level);
        level->setFocus();
        QTest::keyClick(level, Qt::Key_Return);
        grid(viewer.get())->setFocus();
        QTest::keyClick(grid(viewer.get()), Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(viewer->isVisible());
        // On 閉じる it closes the viewer.
        auto* quit = viewer->findChild<QPushButton*>(QStringLiteral("cmdQuit"));
        quit->setFocus();
        QTest::keyClick(quit, Qt::Key_Return);
        QVERIFY(!viewer->isVisible());
    }

    void escDoesNothingAndTheCloseBoxCloses()
    {
        // No cancel button: Esc is ignored wherever the focus is.
        auto viewer = open();
        QWidget* focusable[] = {option(viewer.get(), QStringLiteral("optLevel(1)")),
                                option(viewer.get(), QStringLiteral("optTime(3)")), grid(viewer.get()),
                                viewer->findChild<QPushButton*>(QStringLiteral("cmdQuit"))};
        for (QWidget* w : focusable) {
            w->setFocus();
            QTest::keyClick(w, Qt::Key_Escape);
            QVERIFY2(viewer->isVisible(), qPrintable(w->objectName()));
        }
        QTest::keyClick(viewer.get(), Qt::Key_Escape);
        QVERIFY(viewer->isVisible());
        // Opened modally, as the title opens it: Esc leaves it open, the
        // close box ends it.
        bool openAfterEsc = false;
        QTimer::singleShot(0, viewer.get(), [&] {
            QTest::keyClick(grid(viewer.get()), Qt::Key_Escape);
            openAfterEsc = viewer->isVisible();
            viewer->close();
        });
        QCOMPARE(viewer->exec(), int(QDialog::Rejected));
        QVERIFY(openAfterEsc);
        QVERIFY(!viewer->isVisible());
    }

    void settingsOutOfRangeStillShowAList()
    {
        auto viewer = open(GameSettings{5, 0, 7});
        QCOMPARE(grid(viewer.get())->rowCount(), 10);
        QCOMPARE(row(viewer.get(), 0)[2], QStringLiteral("提督0-0-0"));
        QVERIFY(!option(viewer.get(), "optLevel(0)")->isChecked());
    }
};

FRONTEND_TEST_MAIN(HighScoreViewerTest)
#include "HighScoreViewerTest.moc"
