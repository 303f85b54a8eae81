// SPDX-License-Identifier: MIT
#pragma once

#include "BattleUi.h"

// The reload gauge reduced to what the battle reads: a counter from 0 to 50
// in steps of 1 and a visible flag. Headless runs use it, and the window falls
// back to it when the gauge control cannot be loaded.
class CounterGauge : public ReloadGauge {
public:
    static constexpr vb::Long kMaximum = 50;

    vb::Long Value() override { return value_; }
    // Like the control's own setter, an out-of-range value is held at the nearer end.
    void SetValue(vb::Long value) override;
    void CountUp() override;
    void SetVisible(bool visible) override { visible_ = visible; }
    bool Visible() override { return visible_; }

private:
    vb::Long value_ = 0;
    bool visible_ = false;
};
