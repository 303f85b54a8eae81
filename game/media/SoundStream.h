// SPDX-License-Identifier: MIT
#pragma once

#include "PcmClip.h"
#include "PcmSource.h"

#include <QObject>
#include <QTimer>

class QAudioSink;
class QIODevice;

// One sound's own playback stream. It asks the sound server for a small
// buffer itself: with the server's default of about two seconds, a stopped
// sound goes on until its end and the next start comes late, unless some
// other program happens to keep the server at a low latency. Between plays
// it stays connected, sounding silence, so the server keeps running at that
// latency instead of working seconds ahead and starting the next play late.
class SoundStream : public QObject {
    Q_OBJECT
public:
    static constexpr int BufferMs = 80;
    static constexpr int FeedMs = 10;

    explicit SoundStream(const PcmClip& clip, QObject* parent = nullptr);
    ~SoundStream() override;

    // Always from the first sample; whatever was still queued is dropped.
    void play(bool loop);
    void stop();

private:
    void restart(bool sound, bool loop);
    // Ends the server stream, dropping whatever of it is still queued.
    void drop();
    void feed();

    PcmSource source_;
    QAudioSink* sink_;
    QIODevice* output_ = nullptr;
    bool sounding_ = false;
    bool quiet_ = false; // the stream has carried nothing but silence
    QTimer feeder_;
    QTimer settle_;
    QByteArray chunk_;
    int frameBytes_;
};
