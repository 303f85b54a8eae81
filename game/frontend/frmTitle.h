// SPDX-License-Identifier: MIT
#pragma once

#include "GameSettings.h"
#include "ScoreStorage.h"

#include <QPointer>
#include <QWidget>

#include <functional>

// How the title starts a battle without knowing the battle window's class,
// handing it the settings and the rankings it holds.
using BattleStarter = std::function<void(const GameSettings&, const HighScores&)>;

class ClickLabel;
class GameRandom;
class QLabel;
class QPushButton;

// The start-up form: the looping title movie and the four ways on (battle,
// settings, rankings, quit). Loading it is also when the run records where it
// is installed and reads its settings and rankings, after every battle again.
class frmTitle : public QWidget {
    Q_OBJECT
public:
    // The web page the copyright line opens.
    static const QString WebAddress;

    // Start opens the battle through startBattle; every load reseeds random,
    // the run's random source.
    frmTitle(BattleStarter startBattle, GameRandom& random, QWidget* parent = nullptr);

    void Form_Load();
    // Between the load and the unload.
    bool loaded() const { return loaded_; }
    // The settings read at the load, as the settings dialog last left them.
    const GameSettings& settings() const { return settings_; }
    // The rankings read at the load.
    const HighScores& scores() const { return scores_; }
    void cmdStart_Click();
    void cmdConfig_Click();
    void cmdHS_Click();
    void cmdEnd_Click();
    void labCopyright_Click();

    // "1.00.0000": major, minor as two digits, revision as four.
    static QString VersionText(int major, int minor, int revision);
    static QString VersionText();
    // The media command that opens the movie inside the window with this handle.
    static QString MovieOpenCommand(const QString& moviePath, quintptr windowHandle);
    // Where the title movie is looked for.
    static QString MoviePath();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_QueryUnload();

    QLabel* picTitle = nullptr;
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdConfig = nullptr;
    QPushButton* cmdHS = nullptr;
    QPushButton* cmdEnd = nullptr;
    ClickLabel* labCopyright = nullptr;
    BattleStarter startBattle_;
    GameRandom& random_;
    bool loaded_ = false;
    GameSettings settings_;
    HighScores scores_;
};

// The run's title screen, one form at a time: showing it brings the loaded
// form to the front, or loads a new one (freed when it closes) once the last
// has closed, so that the return from a battle reads the settings and the
// rankings again.
class TitleScreen {
public:
    TitleScreen(BattleStarter startBattle, GameRandom& random);

    frmTitle* show();
    // The title currently loaded, if any.
    frmTitle* loaded() const;

private:
    BattleStarter startBattle_;
    GameRandom& random_;
    QPointer<frmTitle> title_;
};
