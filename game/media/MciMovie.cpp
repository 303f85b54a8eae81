// SPDX-License-Identifier: MIT
#include "MciMovie.h"

#include "MoviePicture.h"

#include <QEvent>
#include <QFileInfo>
#include <QWidget>

MciMovie* MciMovie::open(const QString& path, quintptr parentHandle, QObject* owner)
{
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return nullptr;
    QWidget* parent = mci::windowForHandle(parentHandle);
    if (!parent)
        return nullptr;
    return new MciMovie(path, parent, owner);
}

MciMovie::MciMovie(const QString& path, QWidget* parent, QObject* owner)
    : MciDevice(owner)
    , parent_(parent)
{
    status_.kind = mci::DeviceKind::Movie;
    status_.path = path;

    picture_ = new MoviePicture(parent);
    picture_->setGeometry(parent->contentsRect());
    picture_->hide();
    parent->installEventFilter(this);
    // The picture may go with its parent before the movie is closed.
    connect(picture_, &QObject::destroyed, this, [this] {
        clock_.stop();
        status_.mode = mci::Mode::Stopped;
        status_.videoShown = false;
    });

    QString error;
    movie_ = MjpegAvi::read(path, &error);
    if (!movie_) {
        markFailed(error);
        return;
    }
    // Each tick puts the next frame up, so the loop back to the first frame
    // takes exactly one frame's time like every other step: no seam.
    clock_.setTimerType(Qt::PreciseTimer);
    clock_.setInterval(std::chrono::duration_cast<std::chrono::milliseconds>(
        movie_->frameInterval() + std::chrono::microseconds(500)));
    connect(&clock_, &QTimer::timeout, this, &MciMovie::advance);
}

MciMovie::~MciMovie()
{
    if (parent_)
        parent_->removeEventFilter(this);
    clock_.stop();
    if (picture_) {
        picture_->disconnect(this);
        delete picture_.data();
    }
}

QWidget* MciMovie::videoWidget() const
{
    return picture_.data();
}

void MciMovie::showFrame(int index)
{
    position_ = index;
    status_.position = index;
    if (!picture_)
        return;
    QImage frame = movie_->frame(index);
    // A damaged frame leaves the one before it on screen.
    if (!frame.isNull())
        picture_->setFrame(std::move(frame), index);
    if (!status_.videoShown && !picture_->frame().isNull()) {
        picture_->setGeometry(parent_->contentsRect());
        picture_->show();
        picture_->raise();
        status_.videoShown = true;
    }
}

void MciMovie::advance()
{
    if (position_ + 1 < movie_->frameCount()) {
        showFrame(position_ + 1);
        return;
    }
    if (status_.repeat) {
        showFrame(0);
        return;
    }
    // A single play ends on its last frame, which stays on screen.
    clock_.stop();
    status_.mode = mci::Mode::Stopped;
}

bool MciMovie::play(bool repeat)
{
    if (status_.failed || !picture_)
        return false;
    status_.repeat = repeat;
    // From where it stands; a movie that played to its end starts again.
    if (status_.mode == mci::Mode::Stopped && position_ + 1 >= movie_->frameCount() && status_.playCount > 0)
        position_ = 0;
    status_.mode = mci::Mode::Playing;
    ++status_.playCount;
    showFrame(position_);
    clock_.start();
    return true;
}

bool MciMovie::stop()
{
    // Like a stopped film, the last frame stays on screen.
    clock_.stop();
    status_.mode = mci::Mode::Stopped;
    return true;
}

bool MciMovie::pause()
{
    if (status_.mode != mci::Mode::Playing)
        return status_.mode == mci::Mode::Paused;
    clock_.stop();
    status_.mode = mci::Mode::Paused;
    return true;
}

bool MciMovie::resume()
{
    if (status_.mode != mci::Mode::Paused)
        return status_.mode == mci::Mode::Playing;
    if (status_.failed || !picture_)
        return false;
    status_.mode = mci::Mode::Playing;
    clock_.start();
    return true;
}

bool MciMovie::seek(MciCommand::SeekTarget target)
{
    stop();
    if (status_.failed || !picture_)
        return true;
    const int index = target == MciCommand::SeekTarget::Start ? 0 : movie_->frameCount() - 1;
    if (status_.videoShown)
        showFrame(index);
    else
        position_ = status_.position = index;
    return true;
}

bool MciMovie::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent_ && picture_ && event->type() == QEvent::Resize)
        picture_->setGeometry(parent_->contentsRect());
    return MciDevice::eventFilter(watched, event);
}
