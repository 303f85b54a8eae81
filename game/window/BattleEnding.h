// SPDX-License-Identifier: MIT
#pragma once

#include "BattleUi.h"
#include "GameSettings.h"
#include "VbMath.h"

class PictureBox;
class QLabel;
class QWidget;

// The end of a battle as the player sees it: the curtain closing over the
// scene, "Game Over", the ranking entry and its save, the pause, and the
// title screen shown again. The battle form closes itself afterwards.
class BattleEnding {
public:
    BattleEnding(QWidget* form, PictureBox* scene, QLabel* gameOver, WallClock& clock);

    // Returns once the title screen is showing. Events of the form run in
    // between (the curtain and the pause let them through). The points enter
    // the ranking of the settings the battle was played with.
    void run(const GameSettings& settings, vb::Long points);

private:
    void drawCurtain();
    void enterRanking(const GameSettings& settings, vb::Long points);
    void pause(double seconds);

    QWidget* form_;
    PictureBox* scene_;
    QLabel* gameOver_;
    WallClock& clock_;
};
