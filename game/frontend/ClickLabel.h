// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

// A label that reports a click: a left-button press and release over it. A
// double-click is one click, as on the classic label, whose double-click
// raises a single Click.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};
