// SPDX-License-Identifier: MIT
#include "BattleWindowTexts.h"

#include <QCoreApplication>

namespace {

std::string translated(const char* source)
{
    return QCoreApplication::translate("BattleTexts", source).toStdString();
}

} // namespace

// The sources repeat the battle's defaults word for word, so a game without a
// translation shows exactly what battle-sim prints.
BattleTexts TranslatedBattleTexts()
{
    BattleTexts t;
    //: A ship appears; %1 is the clock hour of its bearing (0 to 12, 0 dead ahead).
    t.EnemySighted = translated(QT_TRANSLATE_NOOP("BattleTexts", "%1時の方向に敵艦発見！"));
    //: The turret starts to move: bearing as a clock time %1 hours %2 minutes, elevation %3 degrees.
    t.TurretTurning = translated(QT_TRANSLATE_NOOP("BattleTexts", "砲塔旋回、%1時%2分、仰角%3度！"));
    t.TurretArrived = translated(QT_TRANSLATE_NOOP("BattleTexts", "砲塔旋回完了！"));
    t.Fire = translated(QT_TRANSLATE_NOOP("BattleTexts", "発射！！"));
    //: First line of the report when a shell falls; the hits follow on lines of their own.
    t.ShellLanded = translated(QT_TRANSLATE_NOOP("BattleTexts", "着弾確認！"));
    //: One line per ship hit; %1 is its damage grade (the next four texts).
    t.Hit = translated(QT_TRANSLATE_NOOP("BattleTexts", "敵艦に命中！%1"));
    t.Sunk = translated(QT_TRANSLATE_NOOP("BattleTexts", "敵艦撃沈！"));
    t.HeavyDamage = translated(QT_TRANSLATE_NOOP("BattleTexts", "敵艦大破！"));
    t.ModerateDamage = translated(QT_TRANSLATE_NOOP("BattleTexts", "敵艦中破！"));
    t.LightDamage = translated(QT_TRANSLATE_NOOP("BattleTexts", "敵艦小破！"));
    t.Loaded = translated(QT_TRANSLATE_NOOP("BattleTexts", "砲弾装填完了！"));
    //: Seconds left of the battle.
    t.TimeLeft = translated(QT_TRANSLATE_NOOP("BattleTexts", "%1 Sec."));
    //: The score of the battle.
    t.Score = translated(QT_TRANSLATE_NOOP("BattleTexts", "%1 Pts."));
    t.QuitQuestion = translated(QT_TRANSLATE_NOOP("BattleTexts", "ゲームを終了してもよろしいですか？"));
    //: Title of the box that asks whether to quit.
    t.QuitTitle = translated(QT_TRANSLATE_NOOP("BattleTexts", "終了確認"));
    return t;
}
