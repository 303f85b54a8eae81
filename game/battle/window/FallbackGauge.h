// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>

// The plain reload gauge used when the VelPrgBar library cannot be loaded:
// a red bar over 0 to 50 with the reload caption, nothing more.
class FallbackGauge : public QWidget {
    Q_OBJECT
public:
    explicit FallbackGauge(QWidget* parent = nullptr);

    int value() const { return value_; }
    void setValue(int value);   // held within 0 to maximum
    void countUp();             // one step, never past the maximum
    int maximum() const { return maximum_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int value_ = 0;
    int maximum_ = 50;
    QString text_;
};
