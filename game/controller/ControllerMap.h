// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>

// What each input of a game controller does, in the battle and in every
// other window. This table is the one place the mapping is written down; the
// delivery turns its actions into the keys and clicks they stand for, and
// the README shows it.

enum class PadInput {
    DpadLeft,
    DpadRight,
    DpadUp,
    DpadDown,
    A,
    B,
    X,
    Y,
    Back,
    Start,
    LeftShoulder,
    RightShoulder,
    LeftStickLeft,
    LeftStickRight,
    LeftStickUp,
    LeftStickDown,
    RightStick,
};

enum class PadAction {
    None,
    // The battle's keys.
    BearingDown,   // Left
    BearingUp,     // Right
    ElevationUp,   // Up
    ElevationDown, // Down
    Fire,          // Enter
    Turn,          // Space
    StepsOfTen,    // held: Shift
    StepsToEnd,    // held: Ctrl
    LookAt,        // a click on the radar in the stick's direction
    CloseWindow,   // the close box
    // Every other window.
    OptionLeft,    // Left on an option, otherwise the previous control
    OptionRight,   // Right on an option, otherwise the next control
    FocusPrevious, // Shift+Tab
    FocusNext,     // Tab
    Press,         // Space on a button, Enter in a text box
    Cancel,        // Esc, in a dialog
    PressDefault,  // the window's default button
};

struct PadRule {
    PadInput input;
    // SDL's name of the button (SDL_GameControllerGetButtonFromString), or
    // null for a stick.
    const char* sdlButton;
    PadAction battle;
    PadAction form;
};

inline constexpr std::array<PadRule, 17> PadRules{{
    {PadInput::DpadLeft, "dpleft", PadAction::BearingDown, PadAction::OptionLeft},
    {PadInput::DpadRight, "dpright", PadAction::BearingUp, PadAction::OptionRight},
    {PadInput::DpadUp, "dpup", PadAction::ElevationUp, PadAction::FocusPrevious},
    {PadInput::DpadDown, "dpdown", PadAction::ElevationDown, PadAction::FocusNext},
    {PadInput::A, "a", PadAction::Fire, PadAction::Press},
    {PadInput::B, "b", PadAction::None, PadAction::Cancel},
    {PadInput::X, "x", PadAction::Turn, PadAction::None},
    {PadInput::Y, "y", PadAction::None, PadAction::None},
    {PadInput::Back, "back", PadAction::CloseWindow, PadAction::None},
    {PadInput::Start, "start", PadAction::None, PadAction::PressDefault},
    {PadInput::LeftShoulder, "leftshoulder", PadAction::StepsOfTen, PadAction::None},
    {PadInput::RightShoulder, "rightshoulder", PadAction::StepsToEnd, PadAction::None},
    {PadInput::LeftStickLeft, nullptr, PadAction::BearingDown, PadAction::OptionLeft},
    {PadInput::LeftStickRight, nullptr, PadAction::BearingUp, PadAction::OptionRight},
    {PadInput::LeftStickUp, nullptr, PadAction::ElevationUp, PadAction::FocusPrevious},
    {PadInput::LeftStickDown, nullptr, PadAction::ElevationDown, PadAction::FocusNext},
    {PadInput::RightStick, nullptr, PadAction::LookAt, PadAction::None},
}};

const PadRule& RuleOf(PadInput input);
// The rule of a button by SDL's name of it, if the table has one.
std::optional<PadInput> InputOfButton(const char* sdlButton);

// The sticks. Axis values are SDL's, -32768 to 32767, y growing downwards.
namespace stick {

// Inside this the left stick is at rest, and the right one looks nowhere.
inline constexpr int DeadZone = 8000;
inline constexpr int LookThreshold = 16000;

// The left stick's direction: the axis pushed further, if past the dead zone.
std::optional<PadInput> Direction(int x, int y);
// Milliseconds between repeated steps: 200 just past the dead zone, 100 at
// full tilt.
int RepeatInterval(int x, int y);
// The right stick's bearing in whole degrees, 0 up and growing clockwise,
// or nothing when it is not pushed far enough.
std::optional<int> LookBearing(int x, int y);

} // namespace stick
