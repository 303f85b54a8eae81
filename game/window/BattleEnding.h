// SPDX-License-Identifier: MIT
#pragma once

#include "BattleUi.h"
#include "GameSettings.h"
#include "ScoreStorage.h"
#include "VbMath.h"

#include <functional>

class PictureBox;
class QLabel;
class QWidget;

// The end of a battle as the player sees it: the curtain closing over the
// scene, "Game Over", the ranking entry and its save, the pause, and the
// title screen shown again. The battle form closes itself afterwards.
class BattleEnding {
public:
    // showTitle shows the title screen again without the window knowing its
    // class; empty, the end shows nothing more.
    BattleEnding(QWidget* form, PictureBox* scene, QLabel* gameOver, WallClock& clock,
                 std::function<void()> showTitle);

    // Returns once the title screen is showing. Events of the form run in
    // between (the curtain and the pause let them through). The points enter
    // the ranking of the settings the battle was played with, in scores (the
    // rankings the title showed) and in the score file.
    void run(const GameSettings& settings, HighScores& scores, vb::Long points);

private:
    void drawCurtain();
    void enterRanking(const GameSettings& settings, HighScores& scores, vb::Long points);
    void pause(double seconds);

    QWidget* form_;
    PictureBox* scene_;
    QLabel* gameOver_;
    WallClock& clock_;
    std::function<void()> showTitle_;
};
