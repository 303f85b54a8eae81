// SPDX-License-Identifier: MIT
#include "SimUi.h"

#include "Battle.h"

#include <algorithm>

void SimUi::SetMessageLine(int index, const std::string& text, std::uint32_t color)
{
    labMessage[index] = {text, color};
}

void SimUi::SetEnabled(Control control, bool enabled)
{
    switch (control) {
    case Control::cmdTurn: cmdTurn = enabled; break;
    case Control::cmdFire: cmdFire = enabled; break;
    case Control::sldH: sldHEnabled = enabled; break;
    case Control::sldV: sldVEnabled = enabled; break;
    }
}

bool SimUi::IsEnabled(Control control)
{
    switch (control) {
    case Control::cmdTurn: return cmdTurn;
    case Control::cmdFire: return cmdFire;
    case Control::sldH: return sldHEnabled;
    case Control::sldV: return sldVEnabled;
    }
    return false;
}

int SimUi::SliderValue(Slider slider)
{
    return slider == Slider::sldH ? sldH : sldV;
}

void SimUi::SetSliderValue(Slider slider, int value)
{
    if (slider == Slider::sldH)
        sldH = std::clamp(value, Battle::kBearingMin, Battle::kBearingMax);
    else
        sldV = std::clamp(value, Battle::kElevationSliderMin, Battle::kElevationSliderMax);
}

void SimUi::SetTimerEnabled(Timer timer, bool enabled)
{
    switch (timer) {
    case Timer::tmrMain: tmrMain = enabled; break;
    case Timer::tmrTurn: tmrTurn = enabled; break;
    case Timer::tmrReload: tmrReload = enabled; break;
    }
}

bool SimUi::TimerEnabled(Timer timer)
{
    switch (timer) {
    case Timer::tmrMain: return tmrMain;
    case Timer::tmrTurn: return tmrTurn;
    case Timer::tmrReload: return tmrReload;
    }
    return false;
}

void SimUi::DrawRadar()
{
    ++RadarDraws;
    if (OnDrawRadar)
        OnDrawRadar();
}

void SimUi::DrawScene()
{
    ++SceneDraws;
    if (OnDrawScene)
        OnDrawScene();
}

void SimUi::SendMedia(const std::string& command)
{
    Media.push_back(command);
    if (OnMedia)
        OnMedia(command);
}

bool SimUi::AskYesNo(const std::string& text, const std::string& title)
{
    Questions.push_back({text, title});
    if (OnAsk)
        OnAsk();
    return Answer;
}

void SimUi::EndBattle()
{
    ++EndBattleCalls;
    if (OnEndBattle)
        OnEndBattle();
}
