// SPDX-License-Identifier: MIT
#pragma once

#include "GameSettings.h"
#include "ScoreStorage.h"

#include <QWidget>

#include <functional>

// How the title starts a battle without knowing the battle window's class,
// handing it the settings and the rankings it holds: main() installs it,
// tests replace it.
using BattleStarter = std::function<void(const GameSettings&, const HighScores&)>;
extern BattleStarter ShowBattleForm;

class ClickLabel;
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

    explicit frmTitle(QWidget* parent = nullptr);

    // Shows the title: a new form (freed when it closes) that runs its load
    // handler, or the one already loaded.
    static frmTitle* ShowTitle();
    // The title currently loaded, if any.
    static frmTitle* Loaded();

    void Form_Load();
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
    bool unloaded_ = false;
    GameSettings settings_;
    HighScores scores_;
};
