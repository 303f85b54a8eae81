// SPDX-License-Identifier: MIT
#pragma once

#include <initializer_list>
#include <string>

// Every text the battle shows, as templates in which %1, %2 and %3 stand for
// the numbers. The defaults are the game's own Japanese wording, which
// battle-sim and the replays print; the window hands in a translation when
// the game speaks another language.
struct BattleTexts {
    std::string EnemySighted = "%1時の方向に敵艦発見！";          // %1 clock hour of the bearing
    std::string TurretTurning = "砲塔旋回、%1時%2分、仰角%3度！"; // %1:%2 bearing as a clock, %3 elevation
    std::string TurretArrived = "砲塔旋回完了！";
    std::string Fire = "発射！！";
    std::string ShellLanded = "着弾確認！";
    std::string Hit = "敵艦に命中！%1"; // %1 one of the four grades below
    std::string Sunk = "敵艦撃沈！";
    std::string HeavyDamage = "敵艦大破！";
    std::string ModerateDamage = "敵艦中破！";
    std::string LightDamage = "敵艦小破！";
    std::string Loaded = "砲弾装填完了！";
    std::string TimeLeft = "%1 Sec.";
    std::string Score = "%1 Pts.";
    std::string QuitQuestion = "ゲームを終了してもよろしいですか？";
    std::string QuitTitle = "終了確認";
};

// The template with %1 to %9 replaced by args in order. A placeholder without
// an argument, and any other text, stays as it is.
std::string FillTemplate(const std::string& pattern, std::initializer_list<std::string> args);
