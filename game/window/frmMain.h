// SPDX-License-Identifier: MIT
#pragma once

#include "Battle.h"
#include "Radar.h"
#include "ScoreStorage.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class BattleSlider;
class RadarRenderer;
class SceneRenderer;
class GaugeHost;
class PictureBox;
class QLabel;
class QMessageBox;
class QPushButton;
class QTimer;

// The battle form. One instance is one battle: the controls of the form,
// its three timers, and the battle logic they drive. The form is deleted
// when it closes.
class frmMain : public QWidget, public BattleUi {
    Q_OBJECT
public:
    struct Options {
        // The battle's random source and clock; both must be given.
        RandomSource* random = nullptr;
        WallClock* clock = nullptr;
        // The timers keep their enabled state but never fire by themselves;
        // tick() runs them (tests and benchmarks).
        bool manualTimers = false;
        // Where media command strings go; null: the media layer.
        std::function<void(const std::string&)> media;
        // What the battle is played with; its end enters the ranking of these.
        GameSettings settings;
        // The rankings the title showed; the end of the battle enters its
        // points here and in the score file.
        HighScores scores;
        // Back to the title at the end of the battle, which the window cannot
        // name (the title sits above it); empty: nothing is shown.
        std::function<void()> showTitle;
    };

    explicit frmMain(Options options, QWidget* parent = nullptr);
    ~frmMain() override;

    Battle& battle() { return *battle_; }
    // The rankings the battle started with, its own entry in them once its end saved it.
    const HighScores& scores() const { return options_.scores; }
    // Runs one tick of an enabled timer, as its timeout does.
    void tick(Timer timer);
    GaugeHost* gaugeHost() const { return pgbReload_; }
    // The end of the battle has begun: player input is held off.
    bool ending() const { return ending_; }

    // BattleUi
    void SetTimeCaption(const std::string& text) override;
    void SetScoreCaption(const std::string& text) override;
    void SetMessageLine(int index, const std::string& text, std::uint32_t color) override;
    void SetEnabled(Control control, bool enabled) override;
    bool IsEnabled(Control control) override;
    int SliderValue(Slider slider) override;
    void SetSliderValue(Slider slider, int value) override;
    void SetTimerEnabled(Timer timer, bool enabled) override;
    bool TimerEnabled(Timer timer) override;
    void MoveViewLine(double x1, double y1) override;
    void MoveBearingNeedle(double x2, double y2) override;
    void MoveElevationNeedle(double x2, double y2) override;
    void DrawRadar() override;
    void DrawScene() override;
    void SendMedia(const std::string& command) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    ReloadGauge& Gauge() override;
    void EndBattle() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* controlWidget(Control control) const;
    BattleSlider* sliderWidget(Slider slider) const;
    void onTimeout(Timer timer);
    bool onKeyRelease(QWidget* receiver, QKeyEvent* event);
    void onRadarMouseUp(QMouseEvent* event);

    void runEndSequence();
    void closeFromCode();

    Options options_;
    RandomSource* random_ = nullptr;
    WallClock* clock_ = nullptr;

    PictureBox* picGaugeH_ = nullptr;
    PictureBox* picGaugeV_ = nullptr;
    PictureBox* picScene_ = nullptr;
    PictureBox* picRader_ = nullptr;
    QLabel* labTime_ = nullptr;
    QLabel* labScore_ = nullptr;
    BattleSlider* sldV_ = nullptr;
    BattleSlider* sldH_ = nullptr;
    GaugeHost* pgbReload_ = nullptr;
    std::array<QLabel*, 3> labMessage_{};
    QPushButton* cmdTurn_ = nullptr;
    QPushButton* cmdFire_ = nullptr;
    QLabel* labGameOver_ = nullptr;
    std::array<QTimer*, 3> timers_{};
    std::array<bool, 3> timerEnabled_{};

    std::unique_ptr<RadarRenderer> radarRenderer_;
    std::vector<RadarMark> radarMarks_;
    std::unique_ptr<SceneRenderer> sceneRenderer_;

    std::unique_ptr<Battle> battle_;
    bool ending_ = false;
    bool closingFromCode_ = false;
    // The close question while it is open: the end of the battle answers it.
    QMessageBox* closeQuestion_ = nullptr;
    // The time ran out while the close question was open.
    bool endAfterQuestion_ = false;
};

// Opens a new battle in its own window.
frmMain* ShowBattleWindow(frmMain::Options options);
