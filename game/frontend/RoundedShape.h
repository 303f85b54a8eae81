// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QWidget>

// A rounded rectangle with a fill and an optional one-pixel outline, drawn
// behind an option label to mark whether that option is selected.
class RoundedShape : public QWidget {
    Q_OBJECT
public:
    explicit RoundedShape(QWidget* parent = nullptr);

    void setFillColor(const QColor& color);
    QColor fillColor() const { return fill_; }
    // An invalid colour means no outline.
    void setBorderColor(const QColor& color);
    QColor borderColor() const { return border_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_ = Qt::white;
    QColor border_;
};
