// SPDX-License-Identifier: MIT
#pragma once

#include "ControllerInput.h"
#include "VirtualPad.h"

#include <QTest>

#include <cstdint>

// The controller input under a test's hand: pumped by the test, on a clock
// the test moves, driven by virtual controllers.
struct PadRig {
    std::int64_t now = 1000000;
    ControllerInput input{ControllerInput::Options{[this] { return now; }, true}};

    PadRig() { input.start(); }

    void tap(VirtualPad& pad, const char* button)
    {
        hold(pad, button);
        letGo(pad, button);
    }
    void hold(VirtualPad& pad, const char* button)
    {
        QVERIFY(pad.setButton(button, true));
        input.pump();
    }
    void letGo(VirtualPad& pad, const char* button)
    {
        QVERIFY(pad.setButton(button, false));
        input.pump();
    }
    void axis(VirtualPad& pad, const char* name, int value)
    {
        QVERIFY(pad.setAxis(name, value));
        input.pump();
    }
    void advance(int milliseconds)
    {
        now += milliseconds;
        input.pump();
    }
};
