// SPDX-License-Identifier: MIT
#pragma once

#include "MciDevice.h"

#include <QPointer>

#include <functional>

class QMediaPlayer;
class QAudioOutput;
class QVideoWidget;
class QWidget;

// A movie playing in a child window that fills a widget of the game. The
// child stays hidden until the first frame arrives, so the widget's own
// picture shows wherever the movie cannot play.
class MciMovie : public MciDevice {
    Q_OBJECT
public:
    // Null when the file is missing or the parent is not a widget of ours.
    static MciMovie* open(const QString& path, quintptr parentHandle, bool withSound,
                          QObject* owner);
    ~MciMovie() override;

    bool play(bool repeat) override;
    bool stop() override;
    bool pause() override;
    bool resume() override;
    bool seek(MciCommand::SeekTarget target) override;

    QWidget* videoWidget() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MciMovie(const QString& path, QWidget* parent, bool withSound, QObject* owner);
    void fail(const QString& error);
    void refreshShown();

    QPointer<QWidget> parent_;
    QPointer<QVideoWidget> video_;
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* audio_ = nullptr;
    bool frameSeen_ = false;
};
