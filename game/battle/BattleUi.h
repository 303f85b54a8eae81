// SPDX-License-Identifier: MIT
#pragma once

#include "VbMath.h"

#include <cstdint>
#include <string>

// What the battle needs from the world outside it. The window implements
// these with real controls; battle-sim and the tests implement them in memory.

// Uniform draws in [0, 1), one per use.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double Next() = 0;
};

// A wall clock read in seconds; only whole-second boundaries matter to the battle.
class WallClock {
public:
    virtual ~WallClock() = default;
    virtual double Now() = 0;
};

// The reload gauge as the battle uses it: a counter with a visible flag.
class ReloadGauge {
public:
    virtual ~ReloadGauge() = default;
    virtual vb::Long Value() = 0;
    virtual void SetValue(vb::Long value) = 0;
    virtual void CountUp() = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Visible() = 0;
};

// Colours as &H00BBGGRR.
namespace colors {
constexpr std::uint32_t Black = 0x000000;
constexpr std::uint32_t Red = 0x0000FF;
} // namespace colors

class BattleUi {
public:
    enum class Control { cmdTurn, cmdFire, sldH, sldV };
    enum class Slider { sldH, sldV };
    enum class Timer { tmrMain, tmrTurn, tmrReload };

    virtual ~BattleUi() = default;

    virtual void SetTimeCaption(const std::string& text) = 0;  // labTime
    virtual void SetScoreCaption(const std::string& text) = 0; // labScore
    // One line of the message log (0 top .. 2 bottom), caption and fore colour.
    virtual void SetMessageLine(int index, const std::string& text, std::uint32_t color) = 0;

    virtual void SetEnabled(Control control, bool enabled) = 0;
    virtual bool IsEnabled(Control control) = 0;
    virtual int SliderValue(Slider slider) = 0;
    // The window holds the value at the nearer end of the slider's range.
    virtual void SetSliderValue(Slider slider, int value) = 0;

    virtual void SetTimerEnabled(Timer timer, bool enabled) = 0;
    virtual bool TimerEnabled(Timer timer) = 0;

    // Outer point of linView, in radar twips (sea units).
    virtual void MoveViewLine(double x1, double y1) = 0;
    // Outer ends of the two needles, in dial twips.
    virtual void MoveBearingNeedle(double x2, double y2) = 0;
    virtual void MoveElevationNeedle(double x2, double y2) = 0;

    virtual void DrawRadar() = 0;
    virtual void DrawScene() = 0;

    // One media command string; its result is never examined.
    virtual void SendMedia(const std::string& command) = 0;

    // Modal Yes/No question with No as the default; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;

    virtual ReloadGauge& Gauge() = 0;

    // The time is up: the window runs the end of the battle.
    virtual void EndBattle() = 0;
};
