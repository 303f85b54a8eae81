// SPDX-License-Identifier: MIT
#include "MciMovie.h"

#include <QAudioOutput>
#include <QEvent>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>
#include <QWidget>

MciMovie* MciMovie::open(const QString& path, quintptr parentHandle, bool withSound,
                         QObject* owner)
{
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return nullptr;
    QWidget* parent = QWidget::find(WId(parentHandle));
    if (!parent)
        return nullptr;
    return new MciMovie(path, parent, withSound, owner);
}

MciMovie::MciMovie(const QString& path, QWidget* parent, bool withSound, QObject* owner)
    : MciDevice(owner)
    , parent_(parent)
{
    status_.kind = mci::DeviceKind::Movie;
    status_.path = path;

    video_ = new QVideoWidget(parent);
    video_->setAspectRatioMode(Qt::IgnoreAspectRatio);
    video_->setAttribute(Qt::WA_TransparentForMouseEvents);
    video_->setGeometry(parent->contentsRect());
    video_->hide();
    parent->installEventFilter(this);
    // The widget may go with its parent before the movie is closed; the
    // player must not keep feeding it.
    connect(video_, &QObject::destroyed, this, [this] {
        player_->stop();
        status_.mode = mci::Mode::Stopped;
        status_.videoShown = false;
    });

    player_ = new QMediaPlayer(this);
    if (withSound) {
        audio_ = new QAudioOutput(this);
        player_->setAudioOutput(audio_);
    }
    player_->setVideoOutput(video_.data());
    connect(player_, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& text) { fail(text); });
    connect(player_, &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus mediaStatus) {
                if (mediaStatus == QMediaPlayer::InvalidMedia)
                    fail(QStringLiteral("invalid media"));
                else if (mediaStatus == QMediaPlayer::EndOfMedia && !status_.repeat)
                    status_.mode = mci::Mode::Stopped;
            });
    connect(video_->videoSink(), &QVideoSink::videoFrameChanged, this,
            [this](const QVideoFrame& frame) {
                // Frames also come while the file is merely being prepared;
                // only frames of a real playback bring the picture up.
                if (frame.isValid() && status_.mode == mci::Mode::Playing)
                    refreshShown();
            });
    player_->setSource(QUrl::fromLocalFile(path));
}

MciMovie::~MciMovie()
{
    if (parent_)
        parent_->removeEventFilter(this);
    player_->stop();
    if (video_) {
        video_->disconnect(this);
        player_->setVideoOutput(nullptr);
        delete video_.data();
    }
}

QWidget* MciMovie::videoWidget() const
{
    return video_.data();
}

void MciMovie::refreshShown()
{
    if (!video_ || status_.failed || status_.videoShown)
        return;
    video_->setGeometry(parent_->contentsRect());
    video_->show();
    video_->raise();
    status_.videoShown = true;
}

void MciMovie::fail(const QString& error)
{
    if (!markFailed(error))
        return;
    player_->stop();
    if (video_)
        video_->hide();
    status_.videoShown = false;
}

bool MciMovie::play(bool repeat)
{
    if (status_.failed || !video_)
        return false;
    status_.repeat = repeat;
    player_->setLoops(repeat ? QMediaPlayer::Infinite : 1);
    player_->play();
    status_.mode = mci::Mode::Playing;
    ++status_.playCount;
    return true;
}

bool MciMovie::stop()
{
    // Like a stopped film, the last frame stays on screen.
    if (!status_.failed && video_)
        player_->pause();
    status_.mode = mci::Mode::Stopped;
    return true;
}

bool MciMovie::pause()
{
    if (status_.mode != mci::Mode::Playing)
        return status_.mode == mci::Mode::Paused;
    player_->pause();
    status_.mode = mci::Mode::Paused;
    return true;
}

bool MciMovie::resume()
{
    if (status_.mode != mci::Mode::Paused)
        return status_.mode == mci::Mode::Playing;
    if (status_.failed || !video_)
        return false;
    player_->play();
    status_.mode = mci::Mode::Playing;
    return true;
}

bool MciMovie::seek(MciCommand::SeekTarget target)
{
    stop();
    if (status_.failed || !video_)
        return true;
    player_->setPosition(target == MciCommand::SeekTarget::Start ? 0 : player_->duration());
    return true;
}

bool MciMovie::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent_ && video_ && event->type() == QEvent::Resize)
        video_->setGeometry(parent_->contentsRect());
    return MciDevice::eventFilter(watched, event);
}
