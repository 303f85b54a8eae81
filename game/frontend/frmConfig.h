// SPDX-License-Identifier: MIT
#pragma once

#include "GameSettings.h"
#include "VbMath.h"

#include <QDialog>

class ClickLabel;
class QLabel;
class QPushButton;
class RoundedShape;

// The settings dialog: three rows of options over rounded marks. The player's
// selection (Choice) is kept apart from the one in force (SavedChoice) until
// Update or OK applies and stores it.
class frmConfig : public QDialog {
    Q_OBJECT
public:
    // The dialog's rows, top to bottom.
    enum Row : int { EnemyRow = 0, TimeRow = 1, LevelRow = 2 };

    explicit frmConfig(const GameSettings& settings, QWidget* parent = nullptr);

    // The settings in force: those the dialog opened with until Update or OK
    // applied the player's choice (which is then also stored).
    const GameSettings& settings() const { return settings_; }

    vb::Integer choice(int row) const { return Choice[row]; }
    vb::Integer savedChoice(int row) const { return SavedChoice[row]; }

    void labMax_Click(int index);
    void labTime_Click(int index);
    void labLevel_Click(int index);
    void cmdDefault_Click();
    void cmdUpdate_Click();
    void cmdOK_Click();
    void cmdQuit_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct RowControls {
        QLabel* tag = nullptr;
        QList<ClickLabel*> labels;
        QList<RoundedShape*> shapes;
    };

    void Form_Load();
    void UpdateButtons();
    void ApplySettings();
    void MarkRow(int row, int index);
    // Left and Right on a row's caption choose the option beside the chosen one.
    bool moveChoiceForArrow(QKeyEvent* event);

    RowControls rows_[3];
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdQuit = nullptr;
    QPushButton* cmdUpdate = nullptr;
    QPushButton* cmdDefault = nullptr;

    GameSettings settings_;
    vb::Integer Choice[3] = {};
    vb::Integer SavedChoice[3] = {};
};
