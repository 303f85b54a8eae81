// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QWidget>

// The movie's picture: an ordinary child widget that paints the current frame
// stretched over itself. Being no native window, it sits exactly where the
// form puts it on every platform and needs no video output.
class MoviePicture : public QWidget {
    Q_OBJECT
public:
    explicit MoviePicture(QWidget* parent);

    // Shows `frame` as the movie's frame number `index`.
    void setFrame(QImage frame, int index);
    const QImage& frame() const { return frame_; }

signals:
    void frameSet(int index);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage frame_;
};
