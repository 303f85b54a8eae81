// SPDX-License-Identifier: MIT
#pragma once

#include "BattleState.h"
#include "BattleUi.h"

#include <string>

struct BattleSettings {
    vb::Integer EnemyMax = 5;
    vb::Integer TimeLimit = 150;
    vb::Integer GameLevel = 1;
};

// The battle form's logic: its event handlers and procedures, by their names.
// One instance is one battle.
class Battle {
public:
    Battle(BattleUi& ui, RandomSource& random, WallClock& clock, BattleSettings settings,
           std::string programFolder);

    // Event handlers.
    void Form_Load();
    void tmrMain_Timer();
    // unloadMode 0 is the user's close command; returns true to cancel the close.
    bool Form_QueryUnload(int unloadMode);
    void cmdTurn_Click();
    void tmrTurn_Timer();
    void picRader_MouseUp(int button, int shift, vb::Single x, vb::Single y);
    // keyCode is set to 0 when the key was acted on.
    void Form_KeyUp(int& keyCode, int shift);
    void cmdFire_Click();
    void tmrReload_Timer();

    // Form procedures.
    void SpawnEnemy();
    void MoveEnemies();
    double BearingOf(vb::Single x, vb::Single y) const;
    void UpdateGauges();
    void ShowMessage(const std::string& text, bool alert);
    void PlaySound(const std::string& alias);
    void StopSound(const std::string& alias);

    const BattleState& State() const { return state_; }
    BattleState& MutableState() { return state_; } // tests set up positions directly
    const BattleSettings& Settings() const { return settings_; }
    // After EndBattle every player command is inert.
    bool Ended() const { return ended_; }

private:
    BattleUi& ui_;
    RandomSource& random_;
    WallClock& clock_;
    BattleSettings settings_;
    std::string programFolder_;
    BattleState state_;
    bool ended_ = false;
};
