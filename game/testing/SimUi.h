// SPDX-License-Identifier: MIT
#pragma once

#include "BattleUi.h"
#include "CounterGauge.h"

#include <functional>
#include <string>
#include <vector>

// The battle form's controls held in memory, with their design-time values.
// battle-sim prints from it and the tests inspect it.
class SimUi : public BattleUi {
public:
    struct Label {
        std::string Text;
        std::uint32_t Color = colors::Black;
    };
    struct Point {
        double X = 0, Y = 0;
    };
    struct Question {
        std::string Text, Title;
    };

    void SetTimeCaption(const std::string& text) override { labTime = text; }
    void SetScoreCaption(const std::string& text) override { labScore = text; }
    void SetMessageLine(int index, const std::string& text, std::uint32_t color) override;

    void SetEnabled(Control control, bool enabled) override;
    bool IsEnabled(Control control) override;
    int SliderValue(Slider slider) override;
    void SetSliderValue(Slider slider, int value) override;

    void SetTimerEnabled(Timer timer, bool enabled) override;
    bool TimerEnabled(Timer timer) override;

    void MoveViewLine(double x1, double y1) override { linView = {x1, y1}; }
    void MoveBearingNeedle(double x2, double y2) override { linHGauge = {x2, y2}; }
    void MoveElevationNeedle(double x2, double y2) override { linVGauge = {x2, y2}; }

    void DrawRadar() override;
    void DrawScene() override;
    void SendMedia(const std::string& command) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    ReloadGauge& Gauge() override { return pgbReload; }
    void EndBattle() override;

    std::string labTime, labScore;
    Label labMessage[3];
    bool cmdTurn = true, cmdFire = true;
    int sldH = 0, sldV = 85;
    bool sldHEnabled = true, sldVEnabled = true;
    bool tmrMain = true, tmrTurn = false, tmrReload = false;
    CounterGauge pgbReload;
    Point linView{975, 60}, linHGauge{750, 0}, linVGauge{6, 1369};

    int RadarDraws = 0, SceneDraws = 0, EndBattleCalls = 0;
    std::vector<std::string> Media; // every command sent, in order
    std::vector<Question> Questions;
    bool Answer = false; // the reply to the next question: true is Yes

    // Optional observers, called after the fact is recorded.
    std::function<void(const std::string&)> OnMedia;
    std::function<void()> OnEndBattle, OnDrawRadar, OnDrawScene, OnAsk;
};
