// SPDX-License-Identifier: MIT
#pragma once

#include <SDL_audio.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

// The game's sounds mixed into one output stream. Each open sound is a voice
// over its decoded samples; play, stop and the audio callback's mixing share
// the voices under one lock, held only while a few fields change or while
// one buffer (some milliseconds of sound) is mixed, which takes microseconds.
// So the game's thread never waits for the sound server, and a stall of the
// game's thread never starves the sound.
class SoundMixer {
public:
    using VoiceId = int;

    // Every voice's samples are in this format, the output's.
    SoundMixer(SDL_AudioFormat format, int bytesPerFrame, std::uint8_t silence);

    VoiceId add(std::vector<std::uint8_t> samples);
    void remove(VoiceId voice);
    // From the first sample, once or round and round.
    void play(VoiceId voice, bool loop);
    void stop(VoiceId voice);
    bool isPlaying(VoiceId voice) const;
    bool empty() const;

    // Fills one output buffer with every playing voice, clipped where they
    // add up past full scale. A looping voice wraps inside the buffer, so its
    // seam has no gap. Called on the audio library's thread.
    void mix(std::uint8_t* out, std::size_t bytes);

    // The callback SDL calls with the mixer as its user data.
    static void SDLCALL callback(void* mixer, Uint8* stream, int len);

private:
    struct Voice {
        std::shared_ptr<const std::vector<std::uint8_t>> samples;
        std::size_t position = 0;
        bool playing = false;
        bool loop = false;
    };

    const SDL_AudioFormat format_;
    const std::size_t frameBytes_;
    const std::uint8_t silence_;
    mutable std::mutex lock_;
    std::map<VoiceId, Voice> voices_;
    VoiceId next_ = 1;
};
