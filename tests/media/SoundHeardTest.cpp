// SPDX-License-Identifier: MIT
// The battle's two sounds as a player hears them: played through a real
// sound server, recorded from its sink and timed against the commands.
#include "Mci.h"
#include "MonitorRecorder.h"
#include "PipeWireServer.h"
#include "PulseServer.h"
#include "Recording.h"
#include "WaveInfo.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <thread>

namespace {

using Clock = Recording::Clock;

SoundServer* server = nullptr;

// Heard and silenced within this of the command, as a player would have it.
constexpr double MaxDelayMs = 100;
// The null sink mixes a new stream into the block it is rendering, so the
// recording can show a sound up to a block before its command and without
// the part that fell into the block's past.
constexpr double LeadMs = 30;
constexpr double SkipMs = 50;
// On a busy machine a feed can come late: the server then plays a short
// gap, and the rest of the sound follows that much later, or drops what
// came too late, and the rest comes that much early.
constexpr double MaxLagMs = 100;

std::vector<std::int16_t> samplesOf(const QString& path)
{
    const auto info = WaveInfo::read(path);
    const auto bytes = info ? info->readSamples(path) : std::nullopt;
    if (!bytes || info->bitsPerSample != 16 || info->channels != 1 || info->sampleRate != SoundServer::Rate)
        return {};
    std::vector<std::int16_t> samples(size_t(bytes->size() / 2));
    std::memcpy(samples.data(), bytes->constData(), samples.size() * 2);
    return samples;
}

// The game's timers and the audio output's feeding run on this thread, so it
// waits in an event loop, as the game does.
void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool send(const char* command)
{
    return mciExecute(QString::fromUtf8(command));
}

// The battle's loop waits for each command. A stop only lets go of the
// stream; one that waits for the queue to play out stalls the game and lets
// the stopped sound run on for as long. (A play waits while the server
// makes the new stream: a round trip, longer on PipeWire.)
constexpr double MaxStopMs = 25;
double longestStopMs = 0;
double longestPlayMs = 0;

double msSince(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// While the server is away a play is refused, and the game plays on.
bool serverAway = false;

// The cues exactly as the battle sends them; each returns the moment of its
// play command.
Clock::time_point playSound(const char* alias)
{
    send(QByteArray("seek ").append(alias).append(" to start").constData());
    const auto t = Clock::now();
    const bool played = send(QByteArray("play ").append(alias).constData());
    if (!serverAway) {
        EXPECT_TRUE(played) << alias;
        longestPlayMs = std::max(longestPlayMs, msSince(t));
    }
    return t;
}

Clock::time_point stopSound(const char* alias)
{
    const auto t = Clock::now();
    EXPECT_TRUE(send(QByteArray("stop ").append(alias).constData())) << alias;
    longestStopMs = std::max(longestStopMs, msSince(t));
    send(QByteArray("seek ").append(alias).append(" to start").constData());
    return t;
}

Clock::time_point gunFires()
{
    stopSound("FIRE_SND");
    stopSound("TURN_SND");
    return playSound("FIRE_SND");
}

// The hum played round and round, as a held turn would; the moment of its play.
Clock::time_point humLoops()
{
    stopSound("TURN_SND");
    const auto t = Clock::now();
    EXPECT_TRUE(send("play TURN_SND repeat"));
    return t;
}

Clock::time_point turretStarts()
{
    stopSound("FIRE_SND");
    stopSound("TURN_SND");
    return playSound("TURN_SND");
}

QByteArray sinkInputs();

// The cases that match the recording sample for sample against the clips
// hold only where the sink receives the clips' own samples. SDL 3 (under
// sdl2-compat, on newer releases) opens its output at no less than 44.1 kHz
// stereo and resamples the clips itself, so the server gets them at another
// rate and takes them back to the sink's: even where that happens to keep
// every other frame as it came, a late feed on a busy machine shifts the
// server's phase by a frame and nothing exact is left to find. There each
// case times the sound by its sound after quiet and its gaps instead; what
// only the samples tell (a restart from the first sample, the loop's exact
// seam) is checked where they arrive as they are.
bool streamResampled()
{
    static const bool resampled = [] {
        // pactl gives each stream's layout as "s16le 1ch 22050Hz".
        const auto layouts = [](const QByteArray& list) {
            QList<QByteArray> found;
            for (const QByteArray& line : list.split('\n'))
                if (line.contains("Hz") && line.contains("ch "))
                    found << line.trimmed();
            return found;
        };
        // A busy server may take a while to list a new stream, and an output
        // lost in an earlier case opens again only at a play, once a second
        // at most: a missing stream says nothing of its layout.
        QByteArray list;
        for (int waited = 0; waited < 5000 && layouts(list).isEmpty(); waited += 100) {
            if (waited % 1100 == 0)
                playSound("TURN_SND");
            runFor(100);
            list = sinkInputs();
        }
        stopSound("TURN_SND");
        runFor(300);
        const QByteArray own = "s16le 1ch " + QByteArray::number(SoundServer::Rate) + "Hz";
        if (layouts(list).isEmpty()) {
            std::printf("the game's stream was not listed by the server: no exact samples looked for\n");
            return true;
        }
        if (list.contains(own))
            return false;
        for (const QByteArray& line : layouts(list))
            std::printf("the game's stream reaches the server as %s\n", line.constData());
        return true;
    }();
    return resampled;
}

// Run with a capture that keeps the server at a low latency, and with one
// that takes its samples a second at a time and asks nothing of it: the
// game's streams must be on time either way.
class SoundHeardTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(fire.empty()) << "data/Fire.wav is not 16-bit mono at the sink's rate";
        ASSERT_FALSE(turn.empty()) << "data/Turn.wav is not 16-bit mono at the sink's rate";
        const QString folder = QStringLiteral(MEDIA_TEST_DATA_DIR);
        ASSERT_TRUE(mciExecute(QStringLiteral("open \"%1/Turn.wav\" alias TURN_SND notify ").arg(folder)));
        ASSERT_TRUE(mciExecute(QStringLiteral("open \"%1/Fire.wav\" alias FIRE_SND notify ").arg(folder)));
        // A null sink woken from idle first works its longest block ahead;
        // the game's streams bring it down to their latency within that.
        runFor(2500);
    }
    void TearDown() override
    {
        mciExecute(QStringLiteral("close TURN_SND"));
        mciExecute(QStringLiteral("close FIRE_SND"));
    }

    // Records at the capture's latency (the case's parameter unless given)
    // while body runs, with quiet around it.
    template <typename Body> std::optional<Recording> record(Body body, int latencyMs = 0)
    {
        if (latencyMs <= 0)
            latencyMs = GetParam();
        MonitorRecorder recorder(server->monitor(), SoundServer::Rate, latencyMs);
        std::string why;
        if (!recorder.start(&why)) {
            ADD_FAILURE() << "cannot record the sink: " << why;
            return std::nullopt;
        }
        runFor(300);
        longestStopMs = 0;
        longestPlayMs = 0;
        body();
        std::printf("the longest stop took %.1f ms, the longest play %.1f ms\n", longestStopMs,
                    longestPlayMs);
        EXPECT_LT(longestStopMs, MaxStopMs) << "a stop waited for the server";
        EXPECT_LT(longestPlayMs, MaxStopMs) << "a play waited for the server";
        // The last piece of a slow capture must have come in before it ends.
        runFor(latencyMs + 500);
        Recording r = recorder.finish();
        // For a look at what was heard when a case fails.
        if (const QByteArray dir = qgetenv("SOUND_HEARD_KEEP"); !dir.isEmpty()) {
            const auto name =
                QByteArray(::testing::UnitTest::GetInstance()->current_test_info()->name()).replace('/', '-');
            r.save((dir + '/' + name + ".raw").toStdString());
        }
        return r;
    }

    // Where the sound's first sample falls in the recording, once its
    // beginning has been heard after the command and the sound has gone on
    // as itself for ms, with nothing of an earlier play in it.
    std::optional<std::int64_t> heardFromStart(const Recording& r, Clock::time_point command,
                                               const std::vector<std::int16_t>& sound, double ms,
                                               const char* what)
    {
        const auto at = r.indexAt(command);
        const auto found =
            r.find(sound, 0, r.samplesFor(SkipMs), at - r.samplesFor(LeadMs), at + r.samplesFor(MaxDelayMs));
        if (!found) {
            ADD_FAILURE() << what << ": its beginning not heard within " << MaxDelayMs << " ms";
            return std::nullopt;
        }
        const auto [place, from] = *found;
        std::printf("%s: heard %.1f ms after play (from %.1f ms into the sound)\n", what,
                    r.msBetween(command, place), r.ms(from));
        const double share = r.follows(place, sound, from, r.samplesFor(ms), r.samplesFor(MaxLagMs));
        std::printf("%s: %.1f %% of the next %.0f ms are the sound's own samples\n", what, share * 100, ms);
        EXPECT_GE(share, 0.95) << what << ": not the sound alone from its beginning";
        return place - from;
    }

    // Still sounding right up to the stop, and quiet within the limit after.
    void expectSilencedBy(const Recording& r, std::int64_t start, Clock::time_point stop, std::int64_t until,
                          const char* what)
    {
        const auto begin = r.firstSound(start, until).value_or(start);
        const auto last = r.lastSound(begin, until);
        ASSERT_TRUE(last) << what;
        const double after = r.msBetween(stop, *last);
        std::printf("%s: silent %.1f ms after stop\n", what, after);
        EXPECT_LE(after, MaxDelayMs) << what << ": still sounding after the stop";
        EXPECT_GE(after, -MaxDelayMs) << what << ": ended before the stop";
        const double gap = r.ms(r.longestQuiet(begin, std::min(*last, r.indexAt(stop))));
        std::printf("%s: longest dropout %.1f ms\n", what, gap);
        EXPECT_LT(gap, 50) << what << ": a gap in the sound while it plays";
    }

    // Where the stream is resampled there are no exact samples to find: a
    // sound is told by its first sound after quiet, within the limit of its
    // command and not before it.
    std::optional<std::int64_t> heardAfterQuiet(const Recording& r, Clock::time_point command,
                                                std::int64_t until, const char* what)
    {
        const auto at = r.indexAt(command);
        const auto first = r.firstSound(at - r.samplesFor(LeadMs + SkipMs), until);
        if (!first) {
            ADD_FAILURE() << what << ": not heard";
            return std::nullopt;
        }
        const double after = r.msBetween(command, *first);
        std::printf("%s: sound %.1f ms after play\n", what, after);
        EXPECT_LE(after, MaxDelayMs) << what << ": heard late";
        EXPECT_GE(*first, at - r.samplesFor(LeadMs)) << what << ": sounding before its command";
        return first;
    }

    // Where only its outline can be judged: heard after quiet at its play,
    // then sounding on without a gap until its stop.
    void expectHeardUntilStopped(const Recording& r, Clock::time_point play, Clock::time_point stop,
                                 const char* heard, const char* stopped)
    {
        const auto first = heardAfterQuiet(r, play, r.indexAt(stop), heard);
        ASSERT_TRUE(first);
        expectSilencedBy(r, *first, stop, r.size(), stopped);
    }

    static void expectNoLoss(const Recording& r)
    {
        EXPECT_LT(std::abs(r.lostMs()), 100) << "the recording lost or gained time";
    }

    // A measurement on a shared machine can be spoilt by what else runs
    // there: the recorder falls behind, or the server is fed late. A case
    // that misses a limit is measured again, a few seconds later so that a
    // burst of other work can pass, four times in all, and fails only when
    // every attempt missed; the limits stay as they are, and a fault of the
    // game misses every time.
    template <typename Body> void measured(Body body)
    {
        constexpr int Attempts = 4;
        for (int attempt = 1; attempt < Attempts; ++attempt) {
            ::testing::TestPartResultArray results;
            {
                const ::testing::ScopedFakeTestPartResultReporter intercept(
                    ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
                body();
            }
            bool missed = false;
            for (int i = 0; i < results.size(); ++i) {
                const auto& result = results.GetTestPartResult(i);
                if (!result.failed())
                    continue;
                missed = true;
                std::printf("attempt %d missed: %s:%d: %s\n", attempt,
                            result.file_name() ? result.file_name() : "", result.line_number(),
                            result.message());
            }
            if (!missed)
                return;
            std::printf("attempt %d of %d missed its limits: measured again\n", attempt, Attempts);
            stopSound("FIRE_SND");
            stopSound("TURN_SND");
            runFor(3000);
        }
        body();
    }

    std::vector<std::int16_t> fire = samplesOf(QStringLiteral(MEDIA_TEST_DATA_DIR "/Fire.wav"));
    std::vector<std::int16_t> turn = samplesOf(QStringLiteral(MEDIA_TEST_DATA_DIR "/Turn.wav"));
};

TEST_P(SoundHeardTest, GunIsHeardAtTheShotAndStopsAtTheFall)
{
    const bool resampled = streamResampled();
    measured([&] {
        Clock::time_point shot, fall, again, stop;
        const auto r = record([&] {
            shot = gunFires();
            runFor(2000);
            fall = stopSound("FIRE_SND");
            runFor(800);
            again = gunFires();
            runFor(600);
            stop = stopSound("FIRE_SND");
        });
        ASSERT_TRUE(r);
        expectNoLoss(*r);
        const auto lead = r->samplesFor(LeadMs);
        EXPECT_FALSE(r->firstSound(0, r->indexAt(shot) - lead)) << "sound before the first shot";
        if (resampled) {
            const auto first = heardAfterQuiet(*r, shot, r->indexAt(fall), "gun");
            ASSERT_TRUE(first);
            expectSilencedBy(*r, *first, fall, r->indexAt(again) - lead, "gun at the fall");
            const auto second = heardAfterQuiet(*r, again, r->indexAt(stop), "second shot");
            ASSERT_TRUE(second);
            expectSilencedBy(*r, *second, stop, r->size(), "second shot stopped");
            return;
        }

        const auto first = heardFromStart(*r, shot, fire, 300, "gun");
        ASSERT_TRUE(first);
        expectSilencedBy(*r, *first, fall, r->indexAt(again) - lead, "gun at the fall");

        // The next shot: the sound from its beginning, no tail of the last one.
        const auto second = heardFromStart(*r, again, fire, 500, "second shot");
        ASSERT_TRUE(second);
        expectSilencedBy(*r, *second, stop, r->size(), "second shot stopped");
    });
}

TEST_P(SoundHeardTest, TurretHumsUntilTheTurretArrives)
{
    const bool resampled = streamResampled();
    measured([&] {
        Clock::time_point start, restart, arrive;
        const auto r = record([&] {
            start = turretStarts();
            runFor(1200);
            // A new order while the turret still turns restarts the hum at once.
            restart = turretStarts();
            runFor(2500);
            arrive = stopSound("TURN_SND");
        });
        ASSERT_TRUE(r);
        expectNoLoss(*r);
        if (resampled) {
            // The restart is told only by its samples: here the hum must
            // sound on through it and stop at the arrival.
            expectHeardUntilStopped(*r, start, arrive, "hum", "hum at the arrival");
            return;
        }
        ASSERT_TRUE(heardFromStart(*r, start, turn, 1000, "hum"));
        // Found by its content: there need be no quiet before the restart.
        const auto again = heardFromStart(*r, restart, turn, 2000, "hum restarted");
        ASSERT_TRUE(again);
        expectSilencedBy(*r, *again, arrive, r->size(), "hum at the arrival");
    });
}

TEST_P(SoundHeardTest, RepeatedSoundLoopsUntilStopped)
{
    const bool resampled = streamResampled();
    measured([&] {
        Clock::time_point start, stop;
        const auto r = record([&] {
            start = humLoops();
            runFor(int(turn.size() * 1000 / SoundServer::Rate) + 1200);
            stop = stopSound("TURN_SND");
        });
        ASSERT_TRUE(r);
        expectNoLoss(*r);
        if (resampled) {
            // Its seam is told only by its samples: here the hum must sound
            // on past its first round without a gap, up to the stop.
            expectHeardUntilStopped(*r, start, stop, "looped hum", "looped hum");
            return;
        }
        const auto first = heardFromStart(*r, start, turn, 1000, "looped hum");
        ASSERT_TRUE(first);
        // One whole round later the sound begins again, with its first samples
        // this time: a late feed may have shifted it a little.
        const auto round = *first + std::int64_t(turn.size());
        const auto again = r->find(turn, 0, r->samplesFor(5), round - r->samplesFor(LeadMs),
                                   round + r->samplesFor(MaxDelayMs));
        ASSERT_TRUE(again) << "no second round of the sound from its start";
        const auto [place, from] = *again;
        const double share = r->follows(place, turn, from, r->samplesFor(500), r->samplesFor(MaxLagMs));
        // The seam is judged against the first round's own last samples: a
        // server that underran earlier in the round shifts both alike.
        const auto size = std::int64_t(turn.size());
        const auto tail = r->find(turn, size - r->samplesFor(40), size - r->samplesFor(30),
                                  round - r->samplesFor(40 + LeadMs + MaxLagMs), place);
        ASSERT_TRUE(tail) << "the first round's last samples not heard before the second";
        const auto seam = tail->first - tail->second + size;
        std::printf("looped hum: second round %lld samples after the first, %lld off its seam, "
                    "%.1f %% the sound's own samples\n",
                    static_cast<long long>(place - from - round), static_cast<long long>(place - from - seam),
                    share * 100);
        EXPECT_EQ(place - from, seam) << "samples missing or added at the loop's seam";
        EXPECT_GE(share, 0.95) << "the second round is not the sound from its start";
        expectSilencedBy(*r, *first, stop, r->size(), "looped hum");
    });
}

// The sound is mixed on the audio library's thread: a game thread that
// stalls (a save, a long paint) leaves it sounding, without a dropout.
TEST_P(SoundHeardTest, HumSoundsOnThroughAStallOfTheGamesThread)
{
    const bool resampled = streamResampled();
    measured([&] {
        Clock::time_point start, stop;
        const auto r = record([&] {
            start = humLoops();
            runFor(500);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            runFor(700);
            stop = stopSound("TURN_SND");
        });
        ASSERT_TRUE(r);
        expectNoLoss(*r);
        if (resampled) {
            // No exact samples: the hum sounds on through the stall without
            // a gap, up to the stop.
            expectHeardUntilStopped(*r, start, stop, "hum before the stall", "hum after the stall");
            return;
        }
        const auto first = heardFromStart(*r, start, turn, 400, "hum before the stall");
        ASSERT_TRUE(first);
        // Through the stall the hum runs on as itself. A sound fed from the
        // game's thread would break off for the whole stall; the server's own
        // hiccups on a busy machine shift it by a few milliseconds at most,
        // which the dropout limit below still bounds.
        const double share = r->follows(*first, turn, 0, r->samplesFor(1400), r->samplesFor(MaxLagMs));
        std::printf("hum through the stall: %.1f %% the sound's own samples\n", share * 100);
        EXPECT_GE(share, 0.95) << "the hum broke off while the game's thread stalled";
        expectSilencedBy(*r, *first, stop, r->size(), "hum after the stall");
    });
}

// What `pactl list sink-inputs` says of the server's playing streams.
QByteArray sinkInputs()
{
    QProcess pactl;
    QEventLoop loop;
    QObject::connect(&pactl, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    // Waited for in an event loop, as the game's own thread would.
    pactl.start(QStringLiteral(PACTL_PROGRAM), {QStringLiteral("list"), QStringLiteral("sink-inputs")});
    loop.exec();
    return pactl.readAllStandardOutput();
}

// What the server says of the playing streams' latencies, in ms: each
// stream's buffer plus the sink's part, largest first.
std::vector<double> streamLatencies()
{
    std::vector<double> found;
    double buffer = -1;
    const QRegularExpression number(QStringLiteral("(\\d+) usec"));
    for (const QByteArray& line : sinkInputs().split('\n')) {
        const auto m = number.match(QString::fromUtf8(line));
        if (!m.hasMatch())
            continue;
        const double ms = m.captured(1).toDouble() / 1000;
        if (line.contains("Buffer Latency"))
            buffer = ms;
        else if (line.contains("Sink Latency") && buffer >= 0) {
            std::printf("stream on the server: %.1f ms buffered, %.1f ms in the sink\n", buffer, ms);
            found.push_back(buffer + ms);
        }
    }
    std::sort(found.rbegin(), found.rend());
    return found;
}

// No other client on the server asks for a low latency here, nor records:
// the game's own streams must keep what is queued for it short, which is what
// a sound card would play on after a stop and what a start waits behind.
TEST_F(SoundHeardTest, QueuesLittleWithNoOtherClient)
{
    runFor(200);
    gunFires();
    runFor(300);
    const auto playing = streamLatencies();
    ASSERT_FALSE(playing.empty()) << "the server knows no stream of the game while it plays";
    std::printf("alone on the server: the game's streams queue up to %.1f ms\n", playing.front());
    EXPECT_LE(playing.front(), MaxDelayMs) << "a stream of the game queues too much to stop at once";
    stopSound("FIRE_SND");
}

// What the server knows of the game's playing streams: one entry per
// stream, its properties as "key = value" lines.
std::vector<std::string> playingStreams()
{
    std::vector<std::string> streams;
    for (const QByteArray& line : sinkInputs().split('\n')) {
        if (line.startsWith("Sink Input #"))
            streams.emplace_back();
        else if (!streams.empty())
            streams.back() += line.trimmed().toStdString() + "\n";
    }
    return streams;
}

// Both sounds, whichever plays, go out through one stream that the desktop's
// volume control shows under the game's name and icon.
TEST_F(SoundHeardTest, OneStreamNamedForTheGame)
{
    const auto recorder = std::make_unique<MonitorRecorder>(server->monitor(), SoundServer::Rate, 20);
    std::string why;
    ASSERT_TRUE(recorder->start(&why)) << why;
    const auto isGame = [](const std::string& props) {
        return props.find("application.name = \"Mortavel\"") != std::string::npos;
    };
    for (auto cue : {turretStarts, gunFires}) {
        cue();
        runFor(300);
        std::vector<std::string> game;
        for (const auto& props : playingStreams())
            if (isGame(props))
                game.push_back(props);
        ASSERT_EQ(game.size(), 1u) << "the game's streams on the server";
        EXPECT_NE(game[0].find("application.icon_name = \"net.mortavel.Mortavel\""), std::string::npos)
            << game[0];
    }
    stopSound("FIRE_SND");
    recorder->finish();
}

// The server going away under a playing game. It takes the server down for
// good, so it runs on its own (see CMakeLists.txt), not with the cases above.
TEST_F(SoundHeardTest, DISABLED_ServerGoneTheGameRunsOnSilently)
{
    turretStarts();
    runFor(300);
    gunFires();
    runFor(200);
    server->stop();
    serverAway = true;
    runFor(500);
    // The media layer neither crashes nor blocks; the commands are carried
    // out as far as the layer goes, and the sounds stay silent.
    const auto t = Clock::now();
    stopSound("FIRE_SND");
    turretStarts();
    runFor(300);
    stopSound("TURN_SND");
    gunFires();
    runFor(300);
    EXPECT_TRUE(mciExecute(QStringLiteral("close TURN_SND")));
    EXPECT_TRUE(mciExecute(QStringLiteral("close FIRE_SND")));
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - t).count(), 5.0)
        << "the commands waited for the lost server";
}

// The server gone mid-battle and started again: the next cue after it is
// back is heard, through the one stream opened anew.
TEST_F(SoundHeardTest, DISABLED_ServerGoneAndBackTheNextCueIsHeard)
{
    measured([&] {
        // Each attempt takes the server away from a game whose output is
        // open on it: the case before, or the attempt before, may have left
        // the server down or the output not yet opened again.
        if (serverAway) {
            std::string why;
            ASSERT_TRUE(server->start(&why)) << why;
            serverAway = false;
        }
        bool listed = false;
        for (int waited = 0; waited < 5000 && !listed; waited += 100) {
            if (waited % 1100 == 0)
                gunFires();
            runFor(100);
            listed = sinkInputs().contains("Mortavel");
        }
        ASSERT_TRUE(listed) << "the game's stream never reached the server before it went away";
        runFor(300);
        server->stop();
        serverAway = true;
        runFor(300);
        // Silent while it is away, and tried again at most once a second.
        for (int i = 0; i < 3; ++i) {
            turretStarts();
            runFor(200);
            gunFires();
            runFor(200);
        }
        std::string why;
        ASSERT_TRUE(server->start(&why)) << why;
        serverAway = false;
        runFor(1200);
        Clock::time_point shot, fall;
        const auto r = record(
            [&] {
                shot = gunFires();
                runFor(1000);
                fall = stopSound("FIRE_SND");
            },
            20);
        ASSERT_TRUE(r);
        // Asked only now, with the server surely up: the first case of this run
        // leaves it stopped, and the cue above must be the first play after its
        // return.
        if (streamResampled()) {
            expectHeardUntilStopped(*r, shot, fall, "gun after the server came back",
                                    "gun stopped after the server came back");
            return;
        }
        const auto heard = heardFromStart(*r, shot, fire, 500, "gun after the server came back");
        ASSERT_TRUE(heard);
        expectSilencedBy(*r, *heard, fall, r->size(), "gun stopped after the server came back");
    });
}

INSTANTIATE_TEST_SUITE_P(Capture, SoundHeardTest, ::testing::Values(20, 1000),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "At" + std::to_string(info.param) + "ms";
                         });

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // The same cases against each server a desktop may run: --server=pipewire
    // for PipeWire with its PulseAudio front, PulseAudio otherwise.
    bool pipeWire = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--server=pipewire") == 0)
            pipeWire = true;
    std::unique_ptr<SoundServer> own;
    if (pipeWire)
        own = std::make_unique<PipeWireServer>();
    else
        own = std::make_unique<PulseServer>();
    // Started before anything of Qt, which looks for the server only once.
    std::string why;
    const auto begun = Recording::Clock::now();
    if (!own->start(&why)) {
        std::fprintf(stderr, "FAILED: cannot start a private %s server: %s\n",
                     pipeWire ? "PipeWire" : "PulseAudio", why.c_str());
        return 1;
    }
    std::printf("private %s server up in %.0f ms\n", pipeWire ? "PipeWire" : "PulseAudio",
                std::chrono::duration<double, std::milli>(Recording::Clock::now() - begun).count());
    server = own.get();
    int result;
    {
        QCoreApplication app(argc, argv);
        result = RUN_ALL_TESTS();
        mci::closeAll();
    }
    server = nullptr;
    own->stop();
    return result;
}
