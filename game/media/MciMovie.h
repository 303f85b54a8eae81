// SPDX-License-Identifier: MIT
#pragma once

#include "MciDevice.h"
#include "MjpegAvi.h"

#include <QPointer>
#include <QTimer>

#include <optional>

class MoviePicture;
class QWidget;

// A Motion-JPEG movie playing in a child widget that fills a widget of the
// game. The child stays hidden until the first frame is shown, so the
// widget's own picture shows wherever the movie cannot play.
class MciMovie : public MciDevice {
    Q_OBJECT
public:
    // Null when the file is missing or the parent is not a widget of ours.
    // A file that turns out unplayable opens failed: play then fails and the
    // parent's picture stays.
    static MciMovie* open(const QString& path, quintptr parentHandle, QObject* owner);
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
    MciMovie(const QString& path, QWidget* parent, QObject* owner);
    void showFrame(int index);
    void advance();

    QPointer<QWidget> parent_;
    QPointer<MoviePicture> picture_;
    std::optional<MjpegAvi> movie_;
    QTimer clock_;
    int position_ = 0;
};
