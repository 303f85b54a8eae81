// SPDX-License-Identifier: MIT
#pragma once

#include "GameSettings.h"
#include "HighScoreTable.h"
#include "VbMath.h"

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;
class QTableWidget;

// The high-score viewer: one of the twelve ranking lists, chosen by game
// level and time limit, in a ten-row grid. It shows the table it is given and
// opens on the list of the settings it is given.
class frmHighScore : public QDialog {
    Q_OBJECT
public:
    frmHighScore(const GameSettings& settings, const HighScoreTable& table, QWidget* parent = nullptr);

    vb::Integer levelIndex() const { return LevelIndex; }
    vb::Integer timeIndex() const { return TimeIndex; }

    void optLevel_Click(int index);
    void optTime_Click(int index);
    void cmdQuit_Click();

    // The grid's header texts and the alignment of each column, read from a
    // format string of "|"-separated headers, each optionally led by "<", "^"
    // or ">".
    struct GridColumn {
        QString header;
        Qt::Alignment alignment;
    };
    static QList<GridColumn> ParseFormatString(const QString& format);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load(const GameSettings& settings);
    void ShowRanking();
    void SetUpGrid();

    QGroupBox* fraLevel = nullptr;
    QGroupBox* fraTime = nullptr;
    QRadioButton* optLevel[rules::LevelCount] = {};
    QRadioButton* optTime[rules::TimeChoices.size()] = {};
    QTableWidget* fxgRank = nullptr;
    QPushButton* cmdQuit = nullptr;

    HighScoreTable table_;
    vb::Integer LevelIndex = 0;
    vb::Integer TimeIndex = 0;
};
