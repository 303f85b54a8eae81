// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// A drawing surface of the gauge. What is drawn goes into a retained image of
// the inner area (inside the border), which the widget repaints by itself.
class BarPictureBox : public QWidget {
public:
    BarPictureBox(QWidget* parent, bool border);

    int borderWidth() const { return border_ ? 1 : 0; }
    int innerWidth() const { return qMax(0, width() - 2 * borderWidth()); }
    int innerHeight() const { return qMax(0, height() - 2 * borderWidth()); }

    QColor backColor() const { return back_; }
    void setBackColor(QColor color) { back_ = color; }

    // The retained picture; null when cleared.
    const QImage& picture() const { return picture_; }
    void dropPicture() { picture_ = QImage(); }
    // Sets the retained picture to the inner size (or the given size), filled
    // with the background colour, reusing its memory when the size stays.
    QImage& clearPicture();
    QImage& clearPicture(int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool border_;
    QColor back_ = Qt::white;
    QImage picture_;
};
