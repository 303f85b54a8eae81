// SPDX-License-Identifier: MIT
#include "SoundOutput.h"

#include "SdlSetup.h"

#include <SDL.h>

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QtGlobal>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr auto RetryEvery = std::chrono::seconds(1);
// How long the end of the process waits for a try still opening.
constexpr auto ExitWait = std::chrono::seconds(3);

SDL_AudioFormat sdlFormat(PcmFormat::Sample sample)
{
    switch (sample) {
    case PcmFormat::Sample::UInt8: return AUDIO_U8;
    case PcmFormat::Sample::Int16: return AUDIO_S16LSB;
    case PcmFormat::Sample::Int32: return AUDIO_S32LSB;
    case PcmFormat::Sample::Float: return AUDIO_F32LSB;
    }
    return AUDIO_S16LSB;
}

bool hasSoundCard()
{
    QFile cards(QStringLiteral("/proc/asound/cards"));
    if (!cards.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = cards.readAll().trimmed();
    return !text.isEmpty() && !text.contains("no soundcards");
}

// SDL's drivers in SDL's order, without those that only complain on
// standard error where they cannot play. With no sound card of the machine's
// own, only the sound servers' drivers are tried: ALSA, sndio and OSS would
// only print their failure (a desktop's server is reached through its own
// driver). JACK is left out always: it complains wherever no JACK server
// runs, and PipeWire serves JACK's players too. A driver the player names in
// SDL_AUDIODRIVER is taken as it is.
void chooseDrivers()
{
    if (!qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        return;
    const bool card = hasSoundCard();
    const QStringList servers = {QStringLiteral("pulseaudio"), QStringLiteral("pipewire")};
    const QStringList never = {QStringLiteral("disk"), QStringLiteral("dummy"), QStringLiteral("jack")};
    QStringList drivers;
    for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i) {
        const QString name = QString::fromUtf8(SDL_GetAudioDriver(i));
        if (never.contains(name) || (!card && !servers.contains(name)))
            continue;
        drivers << name;
    }
    SDL_SetHint(SDL_HINT_AUDIODRIVER, drivers.join(QLatin1Char(',')).toUtf8().constData());
}

// What the desktop's volume control shows for the stream.
void nameTheStream()
{
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Mortavel");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "Mortavel");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_ROLE, "game");
    // SDL 3 (under sdl2-compat on newer releases) names an icon itself,
    // "applications-games", over what the environment says; SDL 2 has no
    // such hint and ignores it.
    SDL_SetHint("SDL_AUDIO_DEVICE_APP_ICON_NAME", "net.mortavel.Mortavel");
}

// SDL 2 names no icon; the servers' client libraries take stream properties
// from the environment. Set only while SDL connects, so that no program the
// game starts (the web browser) shows up under the game's icon.
class IconInEnvironment {
public:
    IconInEnvironment()
    {
        set("PULSE_PROP_application.icon_name", "net.mortavel.Mortavel");
        set("PIPEWIRE_PROPS", "{ application.icon_name = \"net.mortavel.Mortavel\" }");
    }
    ~IconInEnvironment()
    {
        for (const char* name : set_)
            qunsetenv(name);
    }
    IconInEnvironment(const IconInEnvironment&) = delete;
    IconInEnvironment& operator=(const IconInEnvironment&) = delete;

private:
    void set(const char* name, const char* value)
    {
        // A player's own setting stands.
        if (!qEnvironmentVariableIsSet(name) && qputenv(name, value))
            set_.push_back(name);
    }
    std::vector<const char*> set_;
};

std::optional<std::vector<std::uint8_t>> convert(const PcmClip& clip, const PcmFormat& to)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(clip.samples.constData());
    const std::size_t size = std::size_t(clip.samples.size());
    if (clip.format == to)
        return std::vector<std::uint8_t>(bytes, bytes + size);
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, sdlFormat(clip.format.sample), Uint8(clip.format.channelCount),
                          clip.format.sampleRate, sdlFormat(to.sample), Uint8(to.channelCount), to.sampleRate)
        < 0)
        return std::nullopt;
    std::vector<std::uint8_t> buffer(size * std::size_t(std::max(1, cvt.len_mult)));
    std::memcpy(buffer.data(), bytes, size);
    cvt.buf = buffer.data();
    cvt.len = int(size);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0)
        return std::nullopt;
    buffer.resize(std::size_t(cvt.needed ? cvt.len_cvt : cvt.len));
    return buffer;
}

// Opens the one device: SDL's audio started afresh (a driver keeps its
// connection to the server it found, which is no use once that server has
// gone), then the stream at the clips' own layout. 0 on failure.
SDL_AudioDeviceID openDevice(const PcmFormat& format, SoundMixer* mixer, std::string* error)
{
    const IconInEnvironment icon;
    if (!sdl::initSubSystem(SDL_INIT_AUDIO)) {
        *error = SDL_GetError();
        return 0;
    }
    SDL_AudioSpec want{};
    want.freq = format.sampleRate;
    want.format = sdlFormat(format.sample);
    want.channels = Uint8(format.channelCount);
    want.samples = Uint16(SoundOutput::bufferFrames(format.sampleRate));
    want.callback = &SoundMixer::callback;
    want.userdata = mixer;
    SDL_AudioSpec have{};
    // No changes allowed: where the server takes another layout, SDL
    // converts, so the voices stay in the clips' own.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!device) {
        *error = SDL_GetError();
        sdl::quitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    SDL_PauseAudioDevice(device, 0);
    return device;
}

void closeDevice(SDL_AudioDeviceID device)
{
    // Waits for the callback to return, so the mixer outlives its last use.
    SDL_CloseAudioDevice(device);
    sdl::quitSubSystem(SDL_INIT_AUDIO);
}

} // namespace

// One try at opening the device, shared by the game's thread and the thread
// that tries. A try the game gave up on (its sounds closed meanwhile) closes
// what it opened itself.
struct SoundOutput::Attempt {
    std::shared_ptr<SoundMixer> mixer;
    std::mutex lock;
    bool done = false;
    bool abandoned = false;
    SDL_AudioDeviceID device = 0;
    std::string error;
};

// The threads still trying, counted so that the end of the process can wait
// for them: an SDL call that runs while the process ends, on a thread of its
// own, crashes it. A thread that outlives the wait (a server that never
// answers) keeps this alive itself.
struct SoundOutput::Openers {
    std::mutex lock;
    std::condition_variable idle;
    int running = 0;
};

SoundOutput& SoundOutput::instance()
{
    static SoundOutput output;
    return output;
}

SoundOutput::SoundOutput()
    : openers_(std::make_shared<Openers>())
{
}

SoundOutput::~SoundOutput()
{
    close();
    std::unique_lock hold(openers_->lock);
    openers_->idle.wait_for(hold, ExitWait, [this] { return openers_->running == 0; });
}

int SoundOutput::bufferFrames(int sampleRate)
{
    int frames = 64;
    while (frames < sampleRate / 100 && frames < 8192)
        frames *= 2;
    return frames;
}

std::optional<SoundMixer::VoiceId> SoundOutput::add(const PcmClip& clip)
{
    if (!mixer_) {
        if (clip.format.channelCount <= 0 || clip.format.sampleRate <= 0)
            return std::nullopt;
        format_ = clip.format;
        const SDL_AudioFormat format = sdlFormat(format_.sample);
        mixer_ = std::make_shared<SoundMixer>(format, format_.bytesPerFrame(), format == AUDIO_U8 ? 0x80 : 0);
    }
    auto samples = convert(clip, format_);
    if (!samples) {
        if (mixer_->empty())
            mixer_.reset();
        return std::nullopt;
    }
    const auto voice = mixer_->add(std::move(*samples));
    // Opened now, well before the first play.
    ensureOpen();
    return voice;
}

void SoundOutput::remove(SoundMixer::VoiceId voice)
{
    if (!mixer_)
        return;
    mixer_->remove(voice);
    if (mixer_->empty()) {
        close();
        mixer_.reset();
        lastTry_.reset();
        told_ = false;
    }
}

bool SoundOutput::play(SoundMixer::VoiceId voice, bool loop)
{
    if (!mixer_)
        return false;
    const bool open = ensureOpen();
    mixer_->play(voice, loop);
    return open;
}

void SoundOutput::stop(SoundMixer::VoiceId voice)
{
    if (mixer_)
        mixer_->stop(voice);
}

bool SoundOutput::isPlaying(SoundMixer::VoiceId voice) const
{
    return mixer_ && mixer_->isPlaying(voice);
}

QString SoundOutput::driver()
{
    collect();
    return device_ ? QString::fromUtf8(SDL_GetCurrentAudioDriver()) : QString();
}

bool SoundOutput::ensureOpen()
{
    collect();
    // SDL 2 stops a device whose server went away; SDL 3 keeps it running
    // into nothing and only reports it lost. Either way it never comes back
    // by itself.
    if (device_ && (SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED || sdl::outputRemoved())) {
        if (!told_)
            qWarning(
                "Mortavel: the sound output went away; the game plays on without sound until it is back");
        told_ = true;
        close();
        lastTry_.reset();
    }
    if (device_ || attempt_)
        return true;
    const auto now = std::chrono::steady_clock::now();
    if (lastTry_ && now - *lastTry_ < RetryEvery)
        return false;
    lastTry_ = now;
    sdl::prepare();
    nameTheStream();
    chooseDrivers();
    attempt_ = std::make_shared<Attempt>();
    attempt_->mixer = mixer_;
    {
        const std::lock_guard hold(openers_->lock);
        ++openers_->running;
    }
    std::thread([attempt = attempt_, openers = openers_, format = format_] {
        std::string error;
        const SDL_AudioDeviceID device = openDevice(format, attempt->mixer.get(), &error);
        {
            const std::lock_guard hold(attempt->lock);
            if (attempt->abandoned) {
                if (device)
                    closeDevice(device);
            } else {
                attempt->device = device;
                attempt->error = error;
                attempt->done = true;
            }
        }
        const std::lock_guard hold(openers->lock);
        --openers->running;
        openers->idle.notify_all();
    }).detach();
    // A play now is mixed from its first sample once the device runs.
    return true;
}

void SoundOutput::collect()
{
    if (!attempt_)
        return;
    const std::lock_guard hold(attempt_->lock);
    if (!attempt_->done)
        return;
    device_ = attempt_->device;
    if (device_) {
        told_ = false;
    } else if (!told_) {
        qWarning("Mortavel: no sound output (%s); the game plays on without sound", attempt_->error.c_str());
        told_ = true;
    }
    attempt_.reset();
}

void SoundOutput::close()
{
    if (attempt_) {
        const std::lock_guard hold(attempt_->lock);
        if (attempt_->done)
            device_ = attempt_->device;
        else
            attempt_->abandoned = true;
    }
    attempt_.reset();
    if (!device_)
        return;
    closeDevice(device_);
    device_ = 0;
}
