// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

// Carries out one media command string and tells whether it was performed:
//   open "<path>" alias NAME notify                          a short sound (WAV)
//   open "<path>" alias NAME parent <handle> style child notify
//                                   a Motion-JPEG movie in a child widget
//                                   filling the widget whose handle, from
//                                   mci::windowHandle, is <handle>
//   play NAME [repeat]   seek NAME to start|end   stop NAME
//   pause NAME   resume NAME   close NAME   close all
// Aliases are case-insensitive. A missing file, an unknown alias, a machine
// without an audio output, a broken command or a call from another thread
// returns false and changes nothing; it never shows a dialog and never blocks.
// A movie's picture appears only once frames really arrive, so whatever the
// parent widget shows itself stays visible where the movie cannot play.
bool mciExecute(const QString& command);

namespace mci {

enum class DeviceKind { Sound, Movie };
enum class Mode { Stopped, Playing, Paused };

struct DeviceStatus {
    DeviceKind kind = DeviceKind::Sound;
    QString path;
    Mode mode = Mode::Stopped;
    bool repeat = false;
    int playCount = 0;   // play commands carried out since the open
    bool failed = false; // the media turned out unplayable; play now fails
    QString error;       // the first error reported for it
    bool videoShown = false;
    int position = 0; // a movie's current frame, from 0
};

// What the alias is doing now; nothing if it is not open.
std::optional<DeviceStatus> status(const QString& alias);
// The open aliases, upper-cased, sorted.
QStringList openAliases();
// The child window a movie plays in, for tests; null for sounds.
QWidget* videoWidget(const QString& alias);

// The number by which a media command names a widget of the game ("parent
// <handle>"). It is no native window id: asking a child widget for one makes
// it and its siblings native windows, which Wayland places as subsurfaces of
// their own, apart from the form's layout. The same widget always gets the
// same number; numbers are never reused.
quintptr windowHandle(QWidget* widget);
// The widget a handle names, while it exists; null for any other number.
QWidget* windowForHandle(quintptr handle);

// Closes every device (the program does this on its way out).
void closeAll();

// Sees every command and its result, e.g. for a test that checks what a form
// sends. An empty function removes the observer.
void setCommandObserver(std::function<void(const QString& command, bool ok)> observer);

// Tests on machines without a sound card pretend an output exists (or is
// missing); nothing resets it to the real answer but std::nullopt.
void setAudioOutputOverride(std::optional<bool> available);

} // namespace mci
