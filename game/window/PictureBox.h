// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QWidget>

#include <functional>

// A picture box of the battle form: shows one bitmap stretched over the box
// with nearest-neighbour sampling (so it stays crisp at any scale factor),
// and optionally one line control on top of it. Line ends are in the box's
// twips, the unit the battle moves them in.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Paints the box's content in place of a picture, onto the given logical
    // rectangle; the line is still drawn on top.
    using ContentPainter = std::function<void(QPainter&, const QRectF&)>;
    void setContentPainter(ContentPainter painter);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    // For drawing straight onto the shown picture; call pictureChanged() after.
    QImage& canvas() { return picture_; }
    void pictureChanged();

    void setLine(const QLineF& twips, const QColor& color, int widthPixels);
    void setLineP1(const QPointF& twips);
    void setLineP2(const QPointF& twips);
    QLineF line() const { return line_; }
    QColor lineColor() const { return lineColor_; }
    int lineWidth() const { return lineWidth_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ContentPainter contentPainter_;
    QImage picture_;
    QLineF line_;
    QColor lineColor_;
    int lineWidth_ = 0; // 0: no line
};
