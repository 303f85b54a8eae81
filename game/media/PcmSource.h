// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QIODevice>

// Hands a sound's samples to the audio output, once or round and round.
class PcmSource : public QIODevice {
    Q_OBJECT
public:
    explicit PcmSource(QByteArray samples, QObject* parent = nullptr);

    // Back to the first sample; a looping source never runs out.
    void restart(bool loop);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    bool atEnd() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray samples_;
    qint64 offset_ = 0;
    bool loop_ = false;
};
