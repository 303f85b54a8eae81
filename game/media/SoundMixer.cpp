// SPDX-License-Identifier: MIT
#include "SoundMixer.h"

#include <algorithm>
#include <cstring>

SoundMixer::SoundMixer(SDL_AudioFormat format, int bytesPerFrame, std::uint8_t silence)
    : format_(format)
    , frameBytes_(std::size_t(std::max(1, bytesPerFrame)))
    , silence_(silence)
{
}

SoundMixer::VoiceId SoundMixer::add(std::vector<std::uint8_t> samples)
{
    // Whole frames only, so that a loop wraps onto a frame's first byte.
    samples.resize(samples.size() - samples.size() % frameBytes_);
    Voice voice;
    voice.samples = std::make_shared<const std::vector<std::uint8_t>>(std::move(samples));
    const std::lock_guard hold(lock_);
    const VoiceId id = next_++;
    voices_.emplace(id, std::move(voice));
    return id;
}

void SoundMixer::remove(VoiceId voice)
{
    std::shared_ptr<const std::vector<std::uint8_t>> samples;
    {
        const std::lock_guard hold(lock_);
        const auto it = voices_.find(voice);
        if (it == voices_.end())
            return;
        samples = std::move(it->second.samples);
        voices_.erase(it);
    }
    // The samples are freed here, outside the lock the callback waits on.
}

void SoundMixer::play(VoiceId voice, bool loop)
{
    const std::lock_guard hold(lock_);
    const auto it = voices_.find(voice);
    if (it == voices_.end())
        return;
    it->second.position = 0;
    it->second.loop = loop;
    it->second.playing = !it->second.samples->empty();
}

void SoundMixer::stop(VoiceId voice)
{
    const std::lock_guard hold(lock_);
    if (const auto it = voices_.find(voice); it != voices_.end())
        it->second.playing = false;
}

bool SoundMixer::isPlaying(VoiceId voice) const
{
    const std::lock_guard hold(lock_);
    const auto it = voices_.find(voice);
    return it != voices_.end() && it->second.playing;
}

bool SoundMixer::empty() const
{
    const std::lock_guard hold(lock_);
    return voices_.empty();
}

void SoundMixer::mix(std::uint8_t* out, std::size_t bytes)
{
    std::memset(out, silence_, bytes);
    const std::lock_guard hold(lock_);
    for (auto& [id, voice] : voices_) {
        if (!voice.playing)
            continue;
        const std::vector<std::uint8_t>& samples = *voice.samples;
        std::size_t done = 0;
        while (done < bytes) {
            if (voice.position >= samples.size()) {
                if (!voice.loop) {
                    voice.playing = false;
                    break;
                }
                voice.position = 0;
            }
            const std::size_t n = std::min(bytes - done, samples.size() - voice.position);
            SDL_MixAudioFormat(out + done, samples.data() + voice.position, format_, Uint32(n),
                               SDL_MIX_MAXVOLUME);
            voice.position += n;
            done += n;
        }
        if (!voice.loop && voice.position >= samples.size())
            voice.playing = false;
    }
}

void SDLCALL SoundMixer::callback(void* mixer, Uint8* stream, int len)
{
    static_cast<SoundMixer*>(mixer)->mix(stream, std::size_t(std::max(0, len)));
}
