// SPDX-License-Identifier: MIT
#pragma once

#include "BattleState.h"
#include "BattleTexts.h"
#include "BattleUi.h"
#include "GameSettings.h"

#include <cstdint>
#include <string>

// One line of the message log as the battle last wrote it.
struct MessageLine {
    std::string Text;
    std::uint32_t Color = colors::Black;
};

// The battle form's logic: its event handlers and procedures, by their names.
// One instance is one battle; Form_Load must run before anything else.
//
// Once the time is up (Ended() is true) the battle is frozen: the handlers
// of player commands (buttons, keys, sliders, radar clicks) do nothing, the
// timer handlers do nothing, and a close requested by the player is refused
// without a question, because the end of the battle returns to the title
// itself. A close requested by the program still closes the sounds.
//
// Re-entrancy: the window's DrawScene, AskYesNo and EndBattle may run other
// events of the form before they return, and each handler is written so that
// such nested events see a consistent state. The Battle must not be destroyed
// while one of its handlers is on the stack, with one exception: from
// within BattleUi::EndBattle, since nothing of the battle is touched after it.
class Battle {
public:
    // programFolder is the folder of the program; its subfolder dataFolderName
    // ("data", or "Data" where only that exists) holds the sounds. A trailing
    // separator is ignored. texts are the messages the battle shows, Japanese
    // unless the window hands in a translation.
    Battle(BattleUi& ui, RandomSource& random, WallClock& clock, GameSettings settings,
           std::string programFolder, std::string dataFolderName = "data", BattleTexts texts = {});

    // Event handlers.
    void Form_Load();
    void tmrMain_Timer();
    // Why the form is asked to close, by the classic QueryUnload numbers
    // (vbFormControlMenu ... vbFormMDIForm). Only the player's own close is
    // asked about; every other mode closes the sounds at once.
    enum class UnloadMode : int {
        FormControlMenu = 0, // the player's close command
        FormCode = 1,        // the program closes the form
        AppWindows = 2,      // the desktop session ends
        AppTaskManager = 3,  // a task manager ends the program
        FormMDIForm = 4,     // an MDI parent closes
    };
    // Returns true to cancel the close.
    bool Form_QueryUnload(UnloadMode unloadMode);
    void cmdTurn_Click();
    void tmrTurn_Timer();
    void picRader_MouseUp(int button, int shift, vb::Single x, vb::Single y);
    // keyCode is set to 0 when the key was acted on. shift: 1 Shift, 2 Ctrl, 4 Alt.
    void Form_KeyUp(int& keyCode, int shift);
    void cmdFire_Click();
    void tmrReload_Timer();

    // The player drags a slider to value: held within the slider's range,
    // ignored while the slider is disabled or the battle has ended. Returns
    // whether the slider took the value.
    bool MoveSlider(BattleUi::Slider slider, int value);

    // Form procedures.
    void SpawnEnemy();
    void MoveEnemies();
    double BearingOf(vb::Single x, vb::Single y) const;
    void UpdateGauges();
    // Alert lines show in red, the others in black.
    enum class Emphasis { Normal, Alert };
    void ShowMessage(const std::string& text, Emphasis emphasis);
    void PlaySound(const std::string& alias);
    void StopSound(const std::string& alias);
    // Freezes the battle (timers off, sounds stopped, player commands inert)
    // and hands over to BattleUi::EndBattle for the curtain, the ranking and
    // the return to the title. Called by the main tick when the time is up.
    void EndBattle();

    const BattleState& State() const { return state_; }
    BattleState& MutableState() { return state_; } // tests set up positions directly
    const GameSettings& Settings() const { return settings_; }
    const MessageLine& Message(int index) const { return log_[index]; }
    bool Ended() const { return ended_; }
    // True once a close has been let through; the form is about to go.
    bool Closed() const { return closed_; }

    // Ranges of the two sliders and the keys the battle reacts to.
    static constexpr int kBearingMin = -135, kBearingMax = 135;
    static constexpr int kElevationSliderMin = 5, kElevationSliderMax = 85;
    enum Key : int { KeyEnter = 13, KeySpace = 32, KeyLeft = 37, KeyUp = 38, KeyRight = 39, KeyDown = 40 };
    enum ShiftMask : int { ShiftMaskShift = 1, ShiftMaskCtrl = 2, ShiftMaskAlt = 4 };
    enum MouseButton : int { ButtonLeft = 1, ButtonRight = 2, ButtonMiddle = 4 };

private:
    bool Inert() const { return ended_ || closed_; }
    long long ElapsedSeconds();
    int WantedBearing();
    int WantedElevation();
    void ShellFalls();
    void PlaceMessageLine(const std::string& line, Emphasis emphasis);
    void SetLine(int index, const MessageLine& line);
    std::string OpenCommand(const char* file, const char* alias) const;

    BattleUi& ui_;
    RandomSource& random_;
    WallClock& clock_;
    GameSettings settings_;
    std::string programFolder_;
    std::string dataFolderName_;
    BattleTexts texts_;
    BattleState state_;
    MessageLine log_[3];
    bool ended_ = false;
    bool closed_ = false;
};
