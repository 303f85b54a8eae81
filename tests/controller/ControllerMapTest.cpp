// SPDX-License-Identifier: MIT
// The mapping table and the sticks' rules, without a window.

#include "ControllerMap.h"

#include <SDL.h>

#include <QTest>

#include <set>

class ControllerMapTest : public QObject {
    Q_OBJECT

private slots:
    void everyButtonIsOneOfSdlsAndMappedOnce()
    {
        std::set<int> buttons;
        for (const PadRule& rule : PadRules) {
            QCOMPARE(&RuleOf(rule.input), &rule);
            if (!rule.sdlButton)
                continue;
            const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(rule.sdlButton);
            QVERIFY2(button != SDL_CONTROLLER_BUTTON_INVALID, rule.sdlButton);
            QVERIFY2(buttons.insert(button).second, rule.sdlButton);
            QCOMPARE(InputOfButton(rule.sdlButton), std::optional<PadInput>(rule.input));
        }
        QCOMPARE(InputOfButton("guide"), std::nullopt);
    }

    void leftStickMovesAsTheDpadDoes()
    {
        const std::pair<PadInput, PadInput> pairs[] = {{PadInput::LeftStickLeft, PadInput::DpadLeft},
                                                       {PadInput::LeftStickRight, PadInput::DpadRight},
                                                       {PadInput::LeftStickUp, PadInput::DpadUp},
                                                       {PadInput::LeftStickDown, PadInput::DpadDown}};
        for (auto [stickInput, dpad] : pairs) {
            QCOMPARE(RuleOf(stickInput).battle, RuleOf(dpad).battle);
            QCOMPARE(RuleOf(stickInput).form, RuleOf(dpad).form);
        }
    }

    void stickDirectionFollowsTheAxisPushedFurther()
    {
        QCOMPARE(stick::Direction(0, 0), std::nullopt);
        QCOMPARE(stick::Direction(stick::DeadZone, -stick::DeadZone), std::nullopt);
        QCOMPARE(stick::Direction(-20000, 5000), std::optional(PadInput::LeftStickLeft));
        QCOMPARE(stick::Direction(20000, -19000), std::optional(PadInput::LeftStickRight));
        QCOMPARE(stick::Direction(3000, -32768), std::optional(PadInput::LeftStickUp));
        QCOMPARE(stick::Direction(-9000, 12000), std::optional(PadInput::LeftStickDown));
    }

    void stepsComeFasterTheFurtherTheStickIsPushed()
    {
        QCOMPARE(stick::RepeatInterval(stick::DeadZone + 1, 0), 200);
        QCOMPARE(stick::RepeatInterval(0, 32767), 100);
        QCOMPARE(stick::RepeatInterval(-32768, 0), 100);
        const int half = stick::RepeatInterval((stick::DeadZone + 32767) / 2, 0);
        QVERIFY(half > 140 && half < 160);
        QVERIFY(stick::RepeatInterval(20000, 0) > stick::RepeatInterval(25000, 0));
    }

    void rightStickLooksWhereItPoints()
    {
        QCOMPARE(stick::LookBearing(0, -32768), std::optional(0));
        QCOMPARE(stick::LookBearing(32767, 0), std::optional(90));
        QCOMPARE(stick::LookBearing(0, 32767), std::optional(180));
        QCOMPARE(stick::LookBearing(-32768, 0), std::optional(270));
        QCOMPARE(stick::LookBearing(20000, -20000), std::optional(45));
        QCOMPARE(stick::LookBearing(10000, 10000), std::nullopt); // not pushed far enough
    }
};

QTEST_APPLESS_MAIN(ControllerMapTest)
#include "ControllerMapTest.moc"
