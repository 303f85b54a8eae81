// SPDX-License-Identifier: MIT
#pragma once

#include "PcmClip.h"
#include "SoundMixer.h"

#include <QString>

#include <chrono>
#include <memory>
#include <optional>

// The game's one output stream, on SDL's audio. It is opened with the first
// sound, at that clip's own rate and layout, and kept while any sound is
// open; each sound is a voice of one mixer that the audio callback runs on
// SDL's own thread. When the sound server goes away the game plays on
// silently; the next play after that opens the output again, at most once a
// second while that fails. Used from the user-interface thread only.
class SoundOutput {
public:
    static SoundOutput& instance();

    // The clip as a voice, converted to the output's format where it
    // differs; nothing when it cannot be converted.
    std::optional<SoundMixer::VoiceId> add(const PcmClip& clip);
    // The last voice removed closes the output.
    void remove(SoundMixer::VoiceId voice);
    // Whether an output takes the sound: false while there is none.
    bool play(SoundMixer::VoiceId voice, bool loop);
    void stop(SoundMixer::VoiceId voice);
    bool isPlaying(SoundMixer::VoiceId voice) const;

    // The SDL audio driver in use ("pulseaudio", "pipewire", ...), if open.
    QString driver();

    // Frames per callback for a rate: about 10 ms of sound, a power of two.
    static int bufferFrames(int sampleRate);

private:
    struct Attempt;
    struct Openers;

    SoundOutput();
    ~SoundOutput();
    // Opens the output if it is not, or if the server took it away, within
    // the once-a-second limit; whether one is open or being opened now. The
    // opening runs on a thread of its own: a server that accepts the
    // connection but never answers would otherwise hang the game.
    bool ensureOpen();
    // Takes the result of a finished attempt.
    void collect();
    void close();

    PcmFormat format_;
    std::shared_ptr<SoundMixer> mixer_;
    std::shared_ptr<Attempt> attempt_;
    std::shared_ptr<Openers> openers_;
    unsigned device_ = 0;
    std::optional<std::chrono::steady_clock::time_point> lastTry_;
    bool told_ = false; // the missing or lost output has been reported
};
