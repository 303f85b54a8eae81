// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

// One media command string, taken apart. Only the small part of the classic
// command language that the game speaks is understood; anything else is
// refused rather than guessed at, so a typo shows up as a failed command.
struct MciCommand {
    enum class Verb { Open, Play, Seek, Stop, Pause, Resume, Close };
    enum class SeekTarget { Start, End };
    enum class DeviceType { Guess, Sound, Movie };

    Verb verb = Verb::Close;
    // Upper-cased: aliases are case-insensitive.
    QString alias;
    bool all = false; // close all

    // open
    QString path;
    DeviceType type = DeviceType::Guess;
    std::optional<quintptr> parent;
    bool childStyle = false;

    // play
    bool repeat = false;

    // seek
    SeekTarget seekTo = SeekTarget::Start;

    // Returns nothing for an empty, unknown or malformed command.
    static std::optional<MciCommand> parse(const QString& text);
};
